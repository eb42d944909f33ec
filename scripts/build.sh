#!/usr/bin/env bash
# Builds the native tree (core, host tools, unit tests) and the Windows tree (the program folder).
#   scripts/build.sh [native|windows|all]
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
what=${1:-all}
BUILD=${TARN_BUILD_DIR:-$top/build}
JOBS=${TARN_JOBS:-$(nproc)}

if [ "$what" = native ] || [ "$what" = all ]; then
    cmake -S "$top" -B "$BUILD/native" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$BUILD/native" -j "$JOBS"
fi
if [ "$what" = windows ] || [ "$what" = all ]; then
    # The Windows build runs the native generators of the native tree.
    cmake -S "$top" -B "$BUILD/win64" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" \
        -DTARN_HOST_BIN_DIR="$BUILD/native" >/dev/null
    cmake --build "$BUILD/win64" -j "$JOBS"
fi
