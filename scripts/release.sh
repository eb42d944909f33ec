#!/usr/bin/env bash
# Builds the two things a Windows user takes home, from the Windows program folder:
#   dist/TarnSetup-VERSION.exe        the installer (NSIS)
#   dist/Tarn-VERSION-portable.zip    the program folder, to unpack anywhere
#   scripts/release.sh [--no-build] [--out DIR]
# --no-build packages the program folder of an earlier build (TARN_BUILD_DIR, default build/).
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${TARN_BUILD_DIR:-$top/build}
out=$top/dist
build=1
while [ $# -gt 0 ]; do
    case "$1" in
    --no-build) build=0 ;;
    --out) out=$2; shift ;;
    *) echo "usage: $0 [--no-build] [--out DIR]" >&2; exit 2 ;;
    esac
    shift
done

"$top/scripts/deps.sh"
[ "$build" = 1 ] && "$top/scripts/build.sh" all

version=$(sed -n 's/^#define TARN_VERSION_TEXT "\(.*\)"/\1/p' "$top/resources/version.h")
program=$BUILD/win64/TarnDriver
icon=$(find "$BUILD/win64" -name icon128.ico -print -quit)
[ -x "$program/TarnDriver.exe" ] || { echo "no program folder in $program: build first" >&2; exit 1; }
[ -n "$icon" ] || { echo "no program icon under $BUILD/win64" >&2; exit 1; }
mkdir -p "$out"
out=$(cd "$out" && pwd)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The uninstaller removes exactly the files it installed: one Delete per file, then the folders,
# deepest first, each only if it ended up empty.
list=$work/files.nsh
(
    cd "$program"
    find . -type f | sed 's|^\./||' | sort | while read -r f; do
        printf 'Delete "$INSTDIR\\%s"\n' "$(echo "$f" | sed 's|/|\\|g')"
    done
    find . -mindepth 1 -type d | sed 's|^\./||' | awk '{print length($0) " " $0}' | sort -rn |
        cut -d' ' -f2- | while read -r d; do
            printf 'RMDir "$INSTDIR\\%s"\n' "$(echo "$d" | sed 's|/|\\|g')"
        done
) >"$list"

setup=$out/TarnSetup-$version.exe
makensis -V2 -NOCD "-DVERSION=$version" "-DPROGRAM_DIR=$program" "-DFILE_LIST=$list" \
    "-DICON=$icon" "-DOUT_FILE=$setup" "$top/installer/tarn.nsi"

# The zip holds one folder named for the release, so unpacking never scatters files.
zip=$out/Tarn-$version-portable.zip
rm -f "$zip"
cp -r "$program" "$work/Tarn-$version"
(cd "$work" && zip -qrX "$zip" "Tarn-$version")

echo "$setup"
echo "$zip"
