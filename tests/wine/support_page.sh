#!/usr/bin/env bash
# The support page in English and in Simplified Chinese: its versions are painted (Unknown when
# the mouse gives none, V 0.0.7 for 7), the version area shows its hint and does nothing when
# clicked, the restore question's Cancel changes nothing and its OK resets and applies; in
# Chinese the update question comes in Chinese and the flashing program gets "1".
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/helpers/support_lib.sh"
tarn_sim_log support_page
applies() { grep -c "SET 01 12" "$sim_log_unix"; }
# The firmware text at page (440,169), window (455,297): painted over the skin or not.
firmware_painted() {  # shot
    convert "$TARN_PROGRAM_DIR/skins/support_normal.bmp" -crop 70x20+440+169 +repage \
        "$TARN_SHOTS/support_page-skin-crop.png"
    convert "$1" -crop 70x20+455+297 +repage "$TARN_SHOTS/support_page-text-crop.png"
    local n
    n=$(compare -metric AE "$TARN_SHOTS/support_page-skin-crop.png" \
        "$TARN_SHOTS/support_page-text-crop.png" null: 2>&1 || true)
    [ "${n%% *}" -gt 30 ] 2>/dev/null
}
restore_question() {  # window shot
    # shellcheck disable=SC2086
    tarn_click "$1" $RESTORE_BUTTON
    box=$(tarn_wait_window "$INFO" 10) || tarn_fail "no restore question"
    sleep 0.4
    tarn_shot "$2" >/dev/null
}

# English, and a mouse whose version cannot be read.
export TARN_SIM_FAIL=ReadFirmwareVersion:data
tarn_fresh_data
tarn_start --simulate
pid=$TARN_LAST_PID
win=$(tarn_wait_window "$TITLE" 60) || tarn_fail "the main window did not appear"
sleep 1
tarn_open_support_page "$win"
shot=$(tarn_shot english-unknown "$win")
firmware_painted "$shot" || tarn_fail "no firmware text on the page"

hint_crop() { import -window "$win" -crop 233x30+67+598 "$TARN_SHOTS/support_page-hint-$1.png"; }
hint_crop empty
xdotool mousemove --window "$win" 470 254
sleep 0.6
hint_crop firmware
n=$(compare -metric AE "$TARN_SHOTS/support_page-hint-empty.png" \
    "$TARN_SHOTS/support_page-hint-firmware.png" null: 2>&1 || true)
[ "${n%% *}" -gt 20 ] 2>/dev/null || tarn_fail "no hint over the firmware version ($n)"
tarn_click "$win" 470 254
sleep 0.5
tarn_window_visible "$INFO" && tarn_fail "the version area did something"

before=$(applies)
restore_question "$win" restore-question
# shellcheck disable=SC2086
tarn_click "$box" $BOX_CANCEL
tarn_box_gone 3 "$box" || tarn_fail "Cancel did not close the question"
sleep 1
tarn_window_visible NirelTarnProcessDlg && tarn_fail "Cancel started an apply"
[ "$(applies)" = "$before" ] || tarn_fail "Cancel sent something"
restore_question "$win" restore-question-again
tarn_answer_question "$box"
tarn_wait_window NirelTarnProcessDlg 10 >/dev/null || tarn_fail "OK started no apply"
for _ in $(seq 60); do tarn_window_visible NirelTarnProcessDlg || break; sleep 0.25; done
[ "$(applies)" -gt "$before" ] || tarn_fail "the defaults were not sent"
"$WINE_LOADER" "$PROBES/post_message.exe" "$TITLE" 0x10 0 0
tarn_wait_exit "$pid" 15 || tarn_fail "the English program did not end"
unset TARN_SIM_FAIL
tarn_log "English page ok"

# Simplified Chinese: a Chinese install with the mouse at 7 and a newer firmware on the server.
tarn_private_program "$TARN_SHOTS/../support-page-program" chinese
tarn_update_server "$TARN_SHOTS/../support-page-served"
head -c 4096 /dev/urandom >"$SERVED/image.bin"
tarn_manifest 16 /image.bin "$(sha256sum "$SERVED/image.bin" | cut -d' ' -f1)"
export TARN_SIM_VERSION=7
tarn_fresh_data
tarn_start --simulate
pid=$TARN_LAST_PID
win=$(tarn_wait_window "$TITLE" 60) || tarn_fail "the Chinese main window did not appear"
sleep 1.5
tarn_open_support_page "$win"
shot=$(tarn_shot chinese "$win")
firmware_painted "$shot" || tarn_fail "no firmware text on the Chinese page"
restore_question "$win" restore-question-chinese
# shellcheck disable=SC2086
tarn_click "$box" $BOX_CANCEL
tarn_box_gone 3 "$box" || tarn_fail "Cancel did not close the Chinese question"
tarn_click_update "$win"
box=$(tarn_wait_window "$INFO" 10) || tarn_fail "no Chinese update question"
sleep 0.4
tarn_shot update-question-chinese >/dev/null
tarn_answer_question "$box"
ARGS="$TARN_PROGRAM_DIR/FWUpdate/ZezovoRO.exe.args"
for _ in $(seq 100); do [ -s "$ARGS" ] && break; sleep 0.1; done
[ "$(cat "$ARGS" 2>/dev/null)" = 1 ] || tarn_fail "the flashing program got '$(cat "$ARGS" 2>/dev/null)'"
tarn_wait_exit "$pid" 10 || tarn_fail "the Chinese program did not end for the flash"
unset TARN_SIM_VERSION
tarn_log "Chinese page ok"
