#!/usr/bin/env bash
# The mouse leaving and returning, with the same WM_DEVICECHANGE the system sends. The mouse
# names itself in lower case here: an unrelated device comes and goes and nothing happens; an
# apply changes the report rate, the mouse restarts on its own, nothing is shown and the link
# is opened again; unplugging it while idle shows the lost text and ends the program. Then the
# mouse waiting in its firmware-loader mode goes straight to the flashing program.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/helpers/support_lib.sh"
tarn_sim_log device_presence
UNPLUG="$TARN_SHOTS/../device-presence-unplugged"
OTHER="$TARN_SHOTS/../device-presence-other-device"
rm -f "$UNPLUG" "$OTHER"
export TARN_SIM_UNPLUG_FILE=$(tarn_win_path "$UNPLUG")
export TARN_SIM_OTHER_FILE=$(tarn_win_path "$OTHER")
export TARN_SIM_RESTART=1500
export TARN_SIM_DEVICE_PATH='\\?\usb#vid_3d5a&pid_4108#6&2b1c5d3e&0&2#{a5dcbf10-6530-11d2-901f-00c04fb951ed}'

tarn_fresh_data
tarn_start --simulate
pid=$TARN_LAST_PID
win=$(tarn_wait_window "$TITLE" 60) || tarn_fail "the main window did not appear"
sleep 1
quiet_for() {  # seconds what
    for _ in $(seq $(($1 * 4))); do
        tarn_window_visible "$INFO" && tarn_fail "a box appeared: $2"
        kill -0 "$pid" 2>/dev/null || tarn_fail "the program ended: $2"
        sleep 0.25
    done
}

touch "$OTHER"
quiet_for 1 "an unrelated device arrived"
rm -f "$OTHER"
quiet_for 1 "an unrelated device left"

# The apply's new report rate restarts the mouse.
opens() { grep -c "SET 01 80" "$sim_log_unix"; }
before=$(opens)
tarn_click "$win" 900 610
tarn_wait_window NirelTarnProcessDlg 10 >/dev/null || tarn_fail "no progress window"
for _ in $(seq 60); do tarn_window_visible NirelTarnProcessDlg || break; sleep 0.25; done
quiet_for 4 "the mouse restarted after the apply"
# Opened again: the version was read after the report interval was set. The re-open tries
# every 2.5 s, so on a busy machine it may come a try later; wait for it rather than guess.
reopened() {
    local last_rate
    last_rate=$(grep -n "SET 01 01 0" "$sim_log_unix" | tail -1 | cut -d: -f1)
    tail -n +"$last_rate" "$sim_log_unix" | grep -q "GET 01 80 01 05"
}
for _ in $(seq 16); do reopened && break; quiet_for 1 "waiting for the link to open again"; done
reopened || tarn_fail "the link was not opened again after the restart"
[ "$(opens)" -gt "$before" ] || tarn_fail "no version read after the return"
tarn_shot after-restart "$win" >/dev/null

# Pulled while idle: the lost text, then the program ends.
touch "$UNPLUG"
box=$(tarn_wait_window "$INFO" 10) || tarn_fail "no box after the unplug"
sleep 0.5
tarn_shot lost >/dev/null
# shellcheck disable=SC2086
tarn_click "$box" $BOX_OK_ALONE
tarn_wait_exit "$pid" 10 || tarn_fail "the program did not end after the unplug"
rm -f "$UNPLUG"
grep -q ERROR "$sim_log_unix" && tarn_fail "protocol errors: $(grep ERROR "$sim_log_unix")"
tarn_log "hot-plug ok"

# The mouse in its firmware-loader mode: the flashing program gets "0", no window shows.
unset TARN_SIM_RESTART TARN_SIM_UNPLUG_FILE TARN_SIM_OTHER_FILE TARN_SIM_DEVICE_PATH
tarn_private_program "$TARN_SHOTS/../device-presence-program"
export TARN_SIM_LOADER=1
tarn_start --simulate
pid=$TARN_LAST_PID
tarn_wait_exit "$pid" 30 || tarn_fail "the program did not end for the loader"
# The stand-in starts as this program ends; it writes its argument a moment later.
for _ in $(seq 100); do [ -s "$TARN_PROGRAM_DIR/FWUpdate/ZezovoRO.exe.args" ] && break; sleep 0.1; done
[ "$(cat "$TARN_PROGRAM_DIR/FWUpdate/ZezovoRO.exe.args" 2>/dev/null)" = 0 ] ||
    tarn_fail "the flashing program was not started with 0"
tarn_log "firmware loader ok"
