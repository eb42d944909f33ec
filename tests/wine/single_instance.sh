#!/usr/bin/env bash
# The program starts and shows its window; a second start ends at once without a window of its
# own, and the first one comes forward (it was hidden, the second start shows it again).
. "$(dirname "$0")/lib.sh"
TITLE="Nirel Tarn Gaming Mouse Driver"

tarn_fresh_data
tarn_start --simulate
first=$TARN_LAST_PID
win=$(tarn_wait_window "$TITLE" 60) || tarn_fail "the main window did not appear"
tarn_shot started >/dev/null

# Alt+F4 hides the window and keeps the process.
tarn_key "$win" alt+F4
for _ in $(seq 20); do tarn_window_visible "$TITLE" || break; sleep 0.25; done
tarn_window_visible "$TITLE" && tarn_fail "the window is still visible after Alt+F4"

tarn_start --simulate
second=$TARN_LAST_PID
tarn_wait_exit "$second" 20 || tarn_fail "the second instance did not end"
kill -0 "$first" 2>/dev/null || tarn_fail "the first instance ended"
tarn_wait_window "$TITLE" 10 >/dev/null || tarn_fail "the first instance did not show itself"
count=$(xdotool search --onlyvisible --name "^$TITLE\$" | wc -l)
[ "$count" -eq 1 ] || tarn_fail "expected one main window, found $count"
tarn_shot shown-again >/dev/null
tarn_log "ok"
