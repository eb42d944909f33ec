#!/usr/bin/env bash
# The simulated mouse misbehaving under the real program: its version reply lacks the 0x80
# marker, the first key-matrix piece stays pending past the link's 1500 ms wait, and the next
# apply loses the mouse in the middle of the key matrix. Each failed OK closes the progress
# window and tells "write mousekey metix fail." without saving; the program stays up through the
# disappearance, opens the link again when the mouse is back, and the third OK saves.
. "$(dirname "$0")/lib.sh"
TITLE="Nirel Tarn Gaming Mouse Driver"
INFO=NirelTarnInfoDlg
tarn_sim_log mouse_misbehaving
export TARN_SIM_FAIL="ReadFirmwareVersion:nomarker,WriteKeyMatrix:pending@1,WriteKeyMatrix:leave=1500@2"

tarn_fresh_data
data=$(tarn_data_unix)
tarn_start --simulate
pid=$TARN_LAST_PID
win=$(tarn_wait_window "$TITLE" 60) || tarn_fail "the main window did not appear"
sleep 1
saved=$(stat -c %y "$data/Profile/Profile1.cfg")

failed_ok() {  # what
    local started box
    started=$(date +%s)
    tarn_click "$win" 900 610
    box=$(tarn_wait_window "$INFO" 20) || tarn_fail "$1: no message"
    sleep 0.5
    tarn_shot "$2" "$box" >/dev/null
    [ $(($(date +%s) - started)) -lt 15 ] || tarn_fail "$1: the apply took too long"
    tarn_window_visible NirelTarnProcessDlg && tarn_fail "$1: the progress window stayed open"
    [ "$(stat -c %y "$data/Profile/Profile1.cfg")" = "$saved" ] || tarn_fail "$1: the profile was saved"
    tarn_click "$box" 273 143
    for _ in $(seq 20); do tarn_window_visible "$INFO" || break; sleep 0.25; done
    tarn_window_visible "$INFO" && tarn_fail "$1: the message did not close"
    kill -0 "$pid" 2>/dev/null || tarn_fail "$1: the program ended"
    return 0
}

failed_ok "a write still pending after 1500 ms" pending
grep -q "FAIL OUT 01 " "$sim_log_unix" || tarn_fail "the pending piece was not called off"

failed_ok "the mouse gone in the middle of the key matrix" gone
# Back after 1.5 s: the program opens the link again silently and stays.
sleep 3
tarn_window_visible "$TITLE" || tarn_fail "the main window went away with the mouse"
tarn_window_visible "$INFO" && tarn_fail "the mouse's return showed a message"

tarn_click "$win" 900 610
tarn_wait_window NirelTarnProcessDlg 10 >/dev/null || tarn_fail "no progress on the third OK"
for _ in $(seq 60); do tarn_window_visible NirelTarnProcessDlg || break; sleep 0.25; done
sleep 0.5
tarn_window_visible "$INFO" && tarn_fail "the third OK failed"
[ "$(stat -c %y "$data/Profile/Profile1.cfg")" != "$saved" ] || tarn_fail "the third OK did not save"
grep -q ERROR "$sim_log_unix" && tarn_fail "protocol errors: $(grep ERROR "$sim_log_unix" | head -3)"
tarn_stop_pid "$pid" 5
tarn_log "ok"
