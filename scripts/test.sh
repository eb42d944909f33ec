#!/usr/bin/env bash
# Installs what is missing, builds everything, and runs every test: the native unit tests, then
# the Windows program under Wine on a virtual X server. Exits non-zero when any test fails.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${TARN_BUILD_DIR:-$top/build}

"$top/scripts/deps.sh"
"$top/scripts/build.sh" all

status=0
echo "== unit tests"
(cd "$BUILD/native" && ctest --output-on-failure -j "$(nproc)" --timeout 300) || status=1
echo "== Windows program under Wine (screenshots: $BUILD/win64/screenshots)"
# The Wine tests run side by side in the sessions the resource file lists (TARN_WINE_SESSIONS).
sessions=$(grep -o '"id"' "$BUILD/win64/wine-resources.json" | wc -l)
(cd "$BUILD/win64" && ctest --output-on-failure --timeout 300 -j "$sessions" \
    --resource-spec-file "$BUILD/win64/wine-resources.json") || status=1
exit $status
