#!/usr/bin/env bash
# A failed apply: the mouse refuses the lighting colour, so the progress window goes, the box
# tells "Write mouse LED color failed." and the profile is not saved. Enter and Esc on the main
# window do nothing; the next OK still applies.
. "$(dirname "$0")/lib.sh"
TITLE="Nirel Tarn Gaming Mouse Driver"
tarn_sim_log apply_failure
export TARN_SIM_FAIL="SetLedColor@1"

tarn_fresh_data
data=$(tarn_data_unix)
tarn_start --simulate
pid=$TARN_LAST_PID
win=$(tarn_wait_window "$TITLE" 60) || tarn_fail "the main window did not appear"
sleep 1
tarn_key "$win" Escape Return space
tarn_window_visible "$TITLE" || tarn_fail "a dialog key closed the window"
kill -0 "$pid" 2>/dev/null || tarn_fail "a dialog key ended the program"

saved=$(stat -c %y "$data/Profile/Profile1.cfg")
tarn_click "$win" 900 610
box=$(tarn_wait_window NirelTarnInfoDlg 15) || tarn_fail "no box after the failed apply"
sleep 0.5
tarn_shot failure-box >/dev/null
tarn_window_visible NirelTarnProcessDlg && tarn_fail "the progress window stayed open"
[ "$(stat -c %y "$data/Profile/Profile1.cfg")" = "$saved" ] || tarn_fail "a failed apply saved"
# The box's OK button (240,127)-(306,159).
tarn_click "$box" 270 143
for _ in $(seq 20); do tarn_window_visible NirelTarnInfoDlg || break; sleep 0.25; done
tarn_window_visible NirelTarnInfoDlg && tarn_fail "the box did not close"

# The second apply goes through and saves.
sleep 1
tarn_click "$win" 900 610
tarn_wait_window NirelTarnProcessDlg 10 >/dev/null || tarn_fail "no progress on the second apply"
for _ in $(seq 60); do tarn_window_visible NirelTarnProcessDlg || break; sleep 0.25; done
sleep 0.5
[ "$(stat -c %y "$data/Profile/Profile1.cfg")" != "$saved" ] || tarn_fail "the second apply did not save"
grep -q "FAIL SET 01 0c" "$sim_log_unix" || tarn_fail "the colour was not refused"
tarn_log "ok"
