#!/usr/bin/env bash
# The portable zip unpacked into a folder of its own, whose path has spaces, runs the program:
# the main-window test, with its apply round trip, passes from there.
. "$(dirname "$0")/lib.sh"
build=$(cd "$TARN_PROGRAM_DIR/../.." && pwd)
version=$(sed -n 's/^#define TARN_VERSION_TEXT "\(.*\)"/\1/p' "$TARN_SOURCE_DIR/resources/version.h")
dist=$TARN_SHOTS/dist
zip=$dist/Tarn-$version-portable.zip
if [ ! -f "$zip" ]; then
    TARN_BUILD_DIR=$build "$TARN_SOURCE_DIR/scripts/release.sh" --no-build --out "$dist" >/dev/null ||
        tarn_fail "the release packages could not be made"
fi
place="$WINEPREFIX/drive_c/Games and Tools"
rm -rf "$place"
mkdir -p "$place"
unzip -q "$zip" -d "$place" || tarn_fail "the zip did not unpack"
unpacked="$place/Tarn-$version"
[ -f "$unpacked/TarnDriver.exe" ] || tarn_fail "the zip holds no Tarn-$version/TarnDriver.exe"
TARN_PROGRAM_DIR=$unpacked TARN_TEST_NAME=$TARN_TEST_NAME-main_window \
    bash "$(dirname "$0")/main_window.sh" || tarn_fail "the main-window test failed from the zip"
rm -rf "$place"
tarn_log "ok"
