#!/usr/bin/env bash
# Time from process start to a visible main window under Wine, for TarnDriver.exe (simulated
# mouse) against a minimal Win32 program, alternating cold starts; prints each run, the medians
# and the resident set of the program once its window shows.
#   measure_startup.sh WINE_SESSION_DIR WINDOWS_BUILD_DIR [runs]
set -u
session=${1:?wine session folder}
build=${2:?Windows build folder}
runs=${3:-7}
# shellcheck disable=SC1091
. "$session/env.sh"

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# Starts one program, waits for its window, prints "ms rss_kib", stops the program by its PID.
one_run() {  # exe title [args]
    local exe=$1 title=$2
    shift 2
    local start pid id rss
    start=$(now_ms)
    "$WINE_LOADER" "$exe" "$@" >/dev/null 2>&1 &
    pid=$!
    for _ in $(seq 3000); do
        id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -1)
        [ -n "$id" ] && break
        sleep 0.01
    done
    local shown=$(now_ms)
    rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status" 2>/dev/null)
    kill -TERM "$pid" 2>/dev/null
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    # Let the server forget the process before the next cold start.
    sleep 1
    echo "$((shown - start)) ${rss:-0}"
}

median() { sort -n | awk '{a[NR] = $1} END {print (NR % 2) ? a[(NR + 1) / 2] : int((a[NR / 2] + a[NR / 2 + 1]) / 2)}'; }

tarn=() minimal=() tarn_rss=() minimal_rss=()
for i in $(seq "$runs"); do
    read -r ms rss < <(one_run "$build/probes/minimal_window.exe" "Minimal Window")
    minimal+=("$ms"); minimal_rss+=("$rss")
    read -r ms rss < <(one_run "$build/TarnDriver/TarnDriver.exe" "Nirel Tarn Gaming Mouse Driver" --simulate)
    tarn+=("$ms"); tarn_rss+=("$rss")
    echo "run $i: minimal ${minimal[-1]} ms (${minimal_rss[-1]} KiB), TarnDriver ${tarn[-1]} ms (${tarn_rss[-1]} KiB)"
done
m_min=$(printf '%s\n' "${minimal[@]}" | median)
m_tarn=$(printf '%s\n' "${tarn[@]}" | median)
r_min=$(printf '%s\n' "${minimal_rss[@]}" | median)
r_tarn=$(printf '%s\n' "${tarn_rss[@]}" | median)
echo "median start-up: minimal ${m_min} ms, TarnDriver ${m_tarn} ms, ratio $(awk -v a="$m_tarn" -v b="$m_min" 'BEGIN {printf "%.2f", a / b}')"
echo "median resident set at the visible window: minimal ${r_min} KiB, TarnDriver ${r_tarn} KiB"
