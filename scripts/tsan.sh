#!/usr/bin/env bash
# Builds the threaded parts' test programs with ThreadSanitizer in their own tree and runs the
# tests that use more than one thread: the apply worker and the link, the hook state, the
# statistics sampler, the update worker, device presence with its re-open thread, the shared
# language document, and the stress and misbehaving-mouse runs. Exits non-zero on any data race
# or failed test. Takes several minutes on two cores, so it is not part of scripts/test.sh.
#   scripts/tsan.sh
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${TARN_BUILD_DIR:-$top/build}/tsan
JOBS=${TARN_JOBS:-$(nproc)}
"$top/scripts/deps.sh"

cmake -S "$top" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARN_BUILD_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="-fsanitize=thread -fno-omit-frame-pointer" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread" >/dev/null
programs=(device_tests base_tests stats_tests update_tests app_tests i18n_tests faults_tests)
cmake --build "$BUILD" -j "$JOBS" --target "${programs[@]}"

# Which tests of each program run threads (the others would only take time).
declare -A filter=(
    [device_tests]='*'
    [base_tests]='Hook*:*Event*'
    [stats_tests]='CursorSampler*:SharedCursorPoint*'
    [update_tests]='UpdateWorker*'
    [app_tests]='DevicePresence*:LinkReopener*'
    [i18n_tests]='*SharedDocument*'
    [faults_tests]='ApplyStress*:Misbehaving*'
)
export TSAN_OPTIONS="halt_on_error=0 second_deadlock_stack=1 ${TSAN_OPTIONS:-}"
status=0
for p in "${programs[@]}"; do
    log="$BUILD/$p.tsan.log"
    echo "== $p (${filter[$p]})"
    if ! "$BUILD/bin/$p" --gtest_filter="${filter[$p]}" --gtest_brief=1 >"$log" 2>&1; then
        status=1
    fi
    races=$(grep -c "WARNING: ThreadSanitizer" "$log" || true)
    summary=$(grep -E "^\[  (PASSED|FAILED)  \]" "$log" | tr '\n' ' ')
    echo "   $summary; $races ThreadSanitizer reports (log: $log)"
    [ "$races" -eq 0 ] || status=1
done
exit $status
