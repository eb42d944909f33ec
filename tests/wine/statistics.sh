#!/usr/bin/env bash
# The statistics page end to end: clicks and wheel notches in another program's window, and while
# the main window is hidden in the tray, are counted and shown; they are in Sts.cfg after hiding,
# after the tray's Exit and after a polite taskkill, and still shown after a restart; the reset
# asks first, keeps everything when cancelled and writes zeros when confirmed. Screenshots of a
# high trophy level with the English and the Chinese skin.
. "$(dirname "$0")/lib.sh"
TITLE="Nirel Tarn Gaming Mouse Driver"
INFO="NirelTarnInfoDlg"
MINIMAL="$TARN_PROGRAM_DIR/../probes/minimal_window.exe"
[ -f "$MINIMAL" ] || tarn_fail "minimal_window.exe is missing"
tarn_sim_log statistics
data=$(tarn_data_unix)
sts="$data/Sts.cfg"

counters() { od -An -tu4 -w24 "$sts" 2>/dev/null | tr -s ' ' | sed 's/^ //'; }
counter() { counters | cut -d' ' -f"$1"; }  # 1 left .. 6 cursor travel
le32() { printf "\\\\x%02x\\\\x%02x\\\\x%02x\\\\x%02x" $(($1 & 255)) $(($1 >> 8 & 255)) \
    $(($1 >> 16 & 255)) $(($1 >> 24 & 255)); }
write_counters() {  # six numbers
    local bytes="" n
    for n in "$@"; do bytes+=$(le32 "$n"); done
    printf "%b" "$bytes" >"$sts"
}
# Waits until the file holds the expected counters, or fails with what it holds.
expect_counters() {  # pattern what
    for _ in $(seq 20); do [[ "$(counters)" =~ ^$1$ ]] && return 0; sleep 0.25; done
    tarn_fail "$2: Sts.cfg holds '$(counters)', not '$1'"
}
start_on_page() {  # leaves the window id in $win, the PID in $main
    tarn_start --simulate
    main=$TARN_LAST_PID
    win=$(tarn_wait_window "$TITLE" 60) || tarn_fail "the main window did not appear"
    sleep 1
    tarn_click "$win" 660 103
    sleep 0.5
}
# The value column of the page, or its wheel rows, as a picture.
crop() {  # name [wheel]
    local geometry=98x319+163+213
    [ "${2:-}" = wheel ] && geometry=98x89+163+378
    import -window "$win" -crop "$geometry" "$TARN_SHOTS/statistics-$1.png"
}
same_pictures() {
    [ "$(compare -metric AE "$TARN_SHOTS/statistics-$1.png" "$TARN_SHOTS/statistics-$2.png" \
        null: 2>&1 | cut -d' ' -f1)" = 0 ]
}
# Clicks in a window of another program that covers the main window.
click_elsewhere() {  # buttons...
    "$WINE_LOADER" "$MINIMAL" >>"$TARN_SHOTS/$TARN_TEST_NAME.log" 2>&1 &
    local pid=$! other b
    TARN_PIDS+=("$pid")
    other=$(tarn_wait_window "Minimal Window" 30) || tarn_fail "the other window did not appear"
    sleep 0.5
    for b in "$@"; do xdotool mousemove --window "$other" 500 300 click "$b"; sleep 0.1; done
    sleep 0.5
    tarn_stop_pid "$pid" 5
    sleep 0.5
}

# Counting from a fresh data folder: the tab click, then another program's clicks and notches.
tarn_fresh_data
start_on_page
crop before
click_elsewhere 1 1 1 3 3 2 4 4 4 4 5 5 5 5 5
crop counted
same_pictures before counted && tarn_fail "the page did not show the new counts"
tarn_shot counted >/dev/null

# Hiding to the tray with the window's hide button (one more left click) writes them.
tarn_click "$win" 939 17
for _ in $(seq 20); do tarn_window_visible "$TITLE" || break; sleep 0.25; done
tarn_window_visible "$TITLE" && tarn_fail "the hide button did not hide the window"
expect_counters "5 1 2 4 5 [0-9]+" "after hiding to the tray"
# Hidden, the page goes on counting.
click_elsewhere 4 4
tarn_start --simulate
tarn_wait_exit "$TARN_LAST_PID" 20 || tarn_fail "the second start did not end"
win=$(tarn_wait_window "$TITLE" 10) || tarn_fail "the window did not show again"
sleep 0.6
crop shown wheel

# The tray's Exit writes them: the right click on the icon is counted, the click on Exit may
# be too, when its report arrives before the window closes.
tarn_tray_choose Exit
tarn_wait_exit "$main" 10 || tarn_fail "Exit did not end the process"
expect_counters "[56] 1 3 6 5 [0-9]+" "after Exit"
[ "$(counter 6)" -gt 0 ] || tarn_fail "no cursor travel was counted"
left=$(counter 1)

# After a restart the same counts show; the page's own wheel notches and the cursor's travel
# are written when a polite taskkill ends the program.
start_on_page
crop restarted wheel
same_pictures shown restarted || tarn_fail "the counts shown after the restart differ"
travel=$(counter 6)
for _ in 1 2 3; do tarn_click "$win" 600 450 4; done
xdotool mousemove 0 0 sleep 0.7 mousemove 1000 700 sleep 0.7 mousemove 20 20 sleep 0.7
"$WINE_LOADER" taskkill /IM TarnDriver.exe >>"$TARN_SHOTS/$TARN_TEST_NAME.log" 2>&1 &
TARN_PIDS+=("$!")
tarn_wait_exit "$main" 15 || tarn_fail "taskkill did not end the program"
expect_counters "$((left + 1)) 1 3 9 5 [0-9]+" "after taskkill"
[ "$(counter 6)" -ge $((travel + 2500)) ] ||
    tarn_fail "the cursor's travel grew from $travel to $(counter 6) only"

# Reset: cancelled, nothing changes; confirmed, Sts.cfg is 24 zero bytes at once.
start_on_page
reset_box() {
    tarn_click "$win" 782 522
    box=$(tarn_wait_window "$INFO" 10) || tarn_fail "the reset did not ask first"
    sleep 0.5
}
answer_box() {  # x of OK or Cancel
    tarn_click "$box" "$1" 143
    for _ in $(seq 20); do tarn_window_visible "$INFO" || return 0; sleep 0.25; done
    tarn_fail "the question stayed open"
}
before=$(counters)
reset_box
tarn_shot reset-question >/dev/null
answer_box 278
sleep 0.5
[ "$(counters)" = "$before" ] || tarn_fail "a cancelled reset changed Sts.cfg"
reset_box
answer_box 211
expect_counters "0 0 0 0 0 0" "after the confirmed reset"
[ "$(stat -c %s "$sts")" = 24 ] || tarn_fail "Sts.cfg is not 24 bytes"
sleep 0.5
tarn_shot reset >/dev/null
tarn_stop_pid "$main" 5

# A high trophy level (a count past 2^31 stays positive), hovering the reset button.
high() { write_counters 2147483650 812345 1234567 6100000 2300000 123456789; }
high
start_on_page
xdotool mousemove --window "$win" 790 522
sleep 1.5
tarn_shot high-level-english >/dev/null
tarn_stop_pid "$main" 5

# The same with the Chinese skin and interface, from a copy of the program folder.
chinese="$TARN_SHOTS/../statistics-chinese"
rm -rf "$chinese"
mkdir -p "$chinese"
cp -r "$TARN_PROGRAM_DIR/." "$chinese/"
"$TARN_HOST_TOOLS/skin_renderer" --skins "$chinese/skins" --chinese >/dev/null ||
    tarn_fail "the Chinese skin could not be painted"
high
printf '\x01\x00\x00\x00' >"$data/Language.cfg"
TARN_PROGRAM_DIR=$chinese start_on_page
xdotool mousemove --window "$win" 790 522
sleep 1.5
tarn_shot high-level-chinese >/dev/null
reset_box
tarn_shot reset-question-chinese >/dev/null
answer_box 278
tarn_stop_pid "$main" 5
rm -rf "$chinese"
tarn_log "ok"
