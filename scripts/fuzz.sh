#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and UndefinedBehaviorSanitizer) and
# runs each for a while, one after the other.
#   scripts/fuzz.sh [seconds] [target...]        default 60 s each, every target
# Each target starts from its kept corpus (tests/fuzz/corpus/<name>, plus <name>_seeds where
# there are hand-made seeds) and grows a working corpus in the build folder; a finding stops
# that target and lands in build/fuzz/findings. TARN_FUZZ_KEEP=1 merges what a run found into
# the kept corpus, smallest inputs first. The last lines of every run go to
# build/fuzz/results.txt.
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
mkdir -p "$BUILD/findings"
status=0
for t in "${targets[@]}"; do
    name=${t%_fuzz}
    exe=$(find "$BUILD" -name "$t" -type f -perm -u+x | head -1)
    work="$BUILD/corpus/$t"
    kept="$top/tests/fuzz/corpus/$name"
    mkdir -p "$work" "$kept"
    inputs=("$work" "$kept")
    [ -d "$top/tests/fuzz/${name}_seeds" ] && inputs+=("$top/tests/fuzz/${name}_seeds")
    flags=(-max_total_time="$seconds" -artifact_prefix="$BUILD/findings/$t-" -print_final_stats=1)
    [ -f "$top/tests/fuzz/$name.dict" ] && flags+=(-dict="$top/tests/fuzz/$name.dict")
    [ -f "$top/tests/fuzz/$name.options" ] && read -r -a extra < "$top/tests/fuzz/$name.options" \
        && flags+=("${extra[@]}")
    echo "== $t for ${seconds}s"
    log="$BUILD/$t.log"
    if "$exe" "${flags[@]}" "${inputs[@]}" >"$log" 2>&1; then result=ok; else result=FINDING; status=1; fi
    {
        echo "== $t $(date -u +%FT%TZ) ${seconds}s: $result"
        grep -E '^#[0-9]+[[:space:]]+(DONE|INITED)' "$log" | tail -2
        grep -E '^stat::(number_of_executed_units|peak_rss_mb|new_units_added)' "$log"
        grep -E '^==[0-9]+== ERROR|^SUMMARY|Test unit written' "$log" | head -5
    } | tee -a "$BUILD/results.txt"
    if [ "${TARN_FUZZ_KEEP:-0}" = 1 ]; then
        "$exe" -merge=1 "$kept" "$work" >/dev/null 2>&1 || true
    fi
done
exit $status
