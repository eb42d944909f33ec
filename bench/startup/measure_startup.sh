#!/usr/bin/env bash
# Time from process start to the main window being mapped under Wine, for TarnDriver.exe (simulated
# mouse) against a minimal Win32 program that shows one window, in alternating cold starts. Prints
# each run, the medians, their ratio and the resident set of each program once its window is up.
#   bench/startup/measure_startup.sh WINE_SESSION_DIR [runs]
# WINE_SESSION_DIR is a session made by scripts/wine_session.sh; the builds are taken from
# TARN_BUILD_DIR (default: build/). Every program started here is stopped by its PID.
set -u
top=$(cd "$(dirname "$0")/../.." && pwd)
session=${1:?wine session folder}
runs=${2:-15}
BUILD=${TARN_BUILD_DIR:-$top/build}
watch=$BUILD/native/bin/map_watch
minimal=$BUILD/win64/probes/minimal_window.exe
tarn=$BUILD/win64/TarnDriver/TarnDriver.exe
for f in "$watch" "$minimal" "$tarn"; do
    [ -x "$f" ] || { echo "missing $f: build first (scripts/build.sh)" >&2; exit 1; }
done
# shellcheck disable=SC1091
. "$session/env.sh"
# shellcheck disable=SC1091
. "$top/scripts/processes.sh"

# One cold start: prints "ms rss_kib", or "timeout 0". The program is stopped before the next one,
# and the Wine desktop is given time to go away so that every start is cold alike.
one_run() {  # title exe [args]
    local title=$1
    shift
    local ms pid rss
    read -r ms pid rss < <("$watch" "$title" 20000 "$WINE_LOADER" "$@")
    if [ -n "${pid:-}" ] && [ "$pid" != 0 ]; then
        tarn_stop_pid "$pid" 5
    fi
    sleep 1
    echo "${ms%.*} ${rss:-0}"
}

median() { sort -n | awk '{a[NR] = $1} END {print (NR % 2) ? a[(NR + 1) / 2] : int((a[NR / 2] + a[NR / 2 + 1]) / 2)}'; }

m_ms=() m_rss=() t_ms=() t_rss=()
for i in $(seq "$runs"); do
    read -r ms rss < <(one_run "Minimal Window" "$minimal")
    m_ms+=("$ms") m_rss+=("$rss")
    read -r ms rss < <(one_run "Nirel Tarn Gaming Mouse Driver" "$tarn" --simulate)
    t_ms+=("$ms") t_rss+=("$rss")
    echo "run $i: minimal ${m_ms[-1]} ms (${m_rss[-1]} KiB), TarnDriver ${t_ms[-1]} ms (${t_rss[-1]} KiB)"
done
mm=$(printf '%s\n' "${m_ms[@]}" | median)
mt=$(printf '%s\n' "${t_ms[@]}" | median)
rm_=$(printf '%s\n' "${m_rss[@]}" | median)
rt=$(printf '%s\n' "${t_rss[@]}" | median)
echo "median start-up: minimal ${mm} ms, TarnDriver ${mt} ms, ratio $(awk -v a="$mt" -v b="$mm" 'BEGIN {printf "%.2f", a / b}')"
echo "median resident set at the mapped window: minimal ${rm_} KiB, TarnDriver ${rt} KiB"
