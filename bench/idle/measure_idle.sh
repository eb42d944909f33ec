#!/usr/bin/env bash
# Idle cost of TarnDriver.exe (simulated mouse) hidden in the tray with no input: after a settling
# minute, its CPU time, handle count, thread count and working set as the system's process list
# reports them (process_probe.exe), once a minute, plus the CPU time and resident set of its Unix
# process and the CPU time of the session's wineserver from /proc. Prints each sample and the growth over the measured period.
#   bench/idle/measure_idle.sh WINE_SESSION_DIR [minutes]
# WINE_SESSION_DIR is a session made by scripts/wine_session.sh; the builds are taken from
# TARN_BUILD_DIR (default: build/). Not part of the test suite: it takes the minutes it is given.
# Every program started here is stopped by its PID.
set -u
top=$(cd "$(dirname "$0")/../.." && pwd)
session=${1:?wine session folder}
minutes=${2:-10}
BUILD=${TARN_BUILD_DIR:-$top/build}
tarn=$BUILD/win64/TarnDriver/TarnDriver.exe
probe=$BUILD/win64/wine-helpers/process_probe.exe
for f in "$tarn" "$probe"; do
    [ -f "$f" ] || { echo "missing $f: build first (scripts/build.sh)" >&2; exit 1; }
done
# shellcheck disable=SC1091
. "$session/env.sh"
# shellcheck disable=SC1091
. "$top/scripts/processes.sh"
TITLE="Nirel Tarn Gaming Mouse Driver"
work=$(mktemp -d)
started=()
cleanup() {
    local p
    for p in "${started[@]}"; do tarn_stop_pid "$p" 5; done
    rm -rf "$work"
}
trap cleanup EXIT

cpu_ms() {  # pid: user + system time from /proc, in ms
    awk -v hz="$(getconf CLK_TCK)" '{print int(($14 + $15) * 1000 / hz)}' "/proc/$1/stat"
}
visible() { [ -n "$(xdotool search --onlyvisible --name "^$TITLE\$" 2>/dev/null | head -1)" ]; }

"$WINE_LOADER" "$tarn" --simulate >"$work/tarn.log" 2>&1 &
tarn_pid=$!
started+=("$tarn_pid")
for _ in $(seq 240); do visible && break; sleep 0.25; done
win=$(xdotool search --onlyvisible --name "^$TITLE\$" | head -1)
[ -n "$win" ] || { echo "the main window did not appear" >&2; exit 1; }
sleep 3
# The hide button; the pointer then rests where no window is.
xdotool mousemove --window "$win" 939 17 sleep 0.2 click 1
for _ in $(seq 40); do visible || break; sleep 0.25; done
visible && { echo "the window did not hide" >&2; exit 1; }
xdotool mousemove 1270 790
echo "hidden in the tray; settling for 60 s"
sleep 60

out_unix="$work/probe.txt"
out_win="Z:$(echo "$out_unix" | sed 's|/|\\|g')"
unix0=$(cpu_ms "$tarn_pid")
server0=$(cpu_ms "$TARN_WINESERVER_PID")
rss0=$(awk '/VmRSS/ {print $2}' "/proc/$tarn_pid/status")
"$WINE_LOADER" "$probe" TarnDriver.exe "$out_win" $((minutes * 60)) 60 >/dev/null 2>&1 &
probe_pid=$!
started+=("$probe_pid")
echo "measuring for $minutes minutes"
wait "$probe_pid"
unix1=$(cpu_ms "$tarn_pid")
server1=$(cpu_ms "$TARN_WINESERVER_PID")
rss1=$(awk '/VmRSS/ {print $2}' "/proc/$tarn_pid/status")

grep -q '^done' "$out_unix" 2>/dev/null || { echo "the probe failed: $(cat "$out_unix")" >&2; exit 1; }
echo "s    cpu_ms handles threads working_set_KiB"
grep -v done "$out_unix" | awk '{printf "%-4s %6s %7s %7s %s\n", $1, $2, $3, $4, $5}'
grep -v done "$out_unix" | awk -v unix=$((unix1 - unix0)) -v server=$((server1 - server0)) \
    -v rss0="$rss0" -v rss1="$rss1" '
    NR == 1 {c0 = $2; h0 = $3; t0 = $4; w0 = $5}
    {c1 = $2; h1 = $3; t1 = $4; w1 = $5; if ($3 > hmax) hmax = $3; if ($5 > wmax) wmax = $5}
    END {
        printf "over %d s: CPU time +%d ms (process list), +%d ms (Unix process), wineserver +%d ms\n", $1, c1 - c0, unix, server
        printf "handles %d -> %d (max %d), threads %d -> %d\n", h0, h1, hmax, t0, t1
        printf "working set %d -> %d KiB (max %d), resident set %d -> %d KiB\n", w0, w1, wmax, rss0, rss1
    }'
