#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a while (default 60 s each).
#   scripts/fuzz.sh [seconds] [target...]
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${TARN_BUILD_DIR:-$top/build}/fuzz
seconds=${1:-60}
shift || true
command -v clang++ >/dev/null || { apt-get update -qq && apt-get install -y -qq clang; }
CC=clang CXX=clang++ cmake -S "$top" -B "$BUILD" -G Ninja -DTARN_FUZZ=ON -DTARN_BUILD_TESTS=OFF \
    -DTARN_BUILD_BENCH=OFF >/dev/null
targets=("$@")
if [ "${#targets[@]}" -eq 0 ]; then
    for f in "$top"/tests/fuzz/*_fuzz.cpp; do targets+=("$(basename "$f" .cpp)"); done
fi
cmake --build "$BUILD" --target "${targets[@]}"
for t in "${targets[@]}"; do
    exe=$(find "$BUILD" -name "$t" -type f -perm -u+x | head -1)
    corpus="$BUILD/corpus/$t"
    mkdir -p "$corpus"
    seeds=()
    [ -d "$top/tests/fuzz/${t%_fuzz}_seeds" ] && seeds=("$top/tests/fuzz/${t%_fuzz}_seeds")
    dict=()
    [ -f "$top/tests/fuzz/${t%_fuzz}.dict" ] && dict=(-dict="$top/tests/fuzz/${t%_fuzz}.dict")
    echo "== $t for ${seconds}s"
    "$exe" "${dict[@]}" -max_total_time="$seconds" "$corpus" "${seeds[@]}" 2>&1 | tail -3
done
