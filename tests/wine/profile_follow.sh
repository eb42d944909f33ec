#!/usr/bin/env bash
# Profiles that follow the program in front: tarnctl links profile 3 to Wine's notepad.exe;
# with the program in the tray, starting notepad sends profile 3 (its middle button made Back)
# to the simulated mouse and selects profile button 3; closing notepad brings profile 1 back
# with exactly one more apply, and neither switch writes a settings file. Then the tray menu's
# "Programs…" dialog removes the link, and links notepad to profile 2 by picking it in front,
# with screenshots of the dialog in English and in Chinese.
. "$(dirname "$0")/lib.sh"
TITLE="Nirel Tarn Gaming Mouse Driver"
DIALOG=NirelTarnLinksDlg
tarn_sim_log profile_follow
# Through a file, not a pipe: the first Windows program of a session starts the system's
# services, which would hold a pipe open after tarnctl ended.
ctl() {
    timeout 60 env -u TARN_SIM_LOG "$WINE_LOADER" "$TARN_PROGRAM_DIR/tarnctl.exe" "$@" \
        >"$TARN_SHOTS/$TARN_TEST_NAME.ctl.txt" 2>&1
    tr -d '\r' <"$TARN_SHOTS/$TARN_TEST_NAME.ctl.txt"
}

# The data folder as a first start leaves it, but with profile 3's middle button set to Back.
tarn_fresh_data
data=$(tarn_data_unix)
mkdir -p "$data/Profile"
for f in Macro.cfg Language.cfg Sts.cfg Profile/ConfigInfo.cfg Profile/Profile{1,2,3,4,5}.cfg; do
    cp "$TARN_PROGRAM_DIR/$f" "$data/$f" || tarn_fail "cannot seed $f"
done
printf '\x10\x00\x00\x00' | dd of="$data/Profile/Profile3.cfg" bs=1 seek=3152 conv=notrunc status=none
ctl links add 3 notepad.exe >/dev/null
[ "$(ctl links list)" = "3 notepad.exe" ] || tarn_fail "tarnctl lists: $(ctl links list)"
grep -q '^3=notepad.exe' "$data/ProgramLinks.txt" || tarn_fail "the links file lacks the link"

# The key matrix's first piece: slot 2 carries the middle button, f2 by default, f3 (Back) in
# profile 3.
matrices() { grep -o 'OUT 01 01 00 f0 00 01 00 f1 00 01 00 f[0-9a-f] 00' "$sim_log_unix" 2>/dev/null; }
count() { matrices | wc -l; }
last() { matrices | tail -1 | awk '{print $13}'; }
wait_apply() {  # count middle-word seconds
    for _ in $(seq $(($3 * 4))); do
        [ "$(count)" -ge "$1" ] && break
        sleep 0.25
    done
    [ "$(count)" -eq "$1" ] && [ "$(last)" = "$2" ]
}
sums() { (cd "$data/Profile" && md5sum ConfigInfo.cfg Profile1.cfg Profile3.cfg); }

tarn_start --simulate --tray
main=$TARN_LAST_PID
wait_apply 1 f2 30 || tarn_fail "no apply of profile 1 after the start ($(count), $(last))"
# The start's apply saves profile 1 and the slot table; the switches must write nothing.
sleep 1.5
before=$(sums)

"$WINE_LOADER" notepad >>"$TARN_SHOTS/$TARN_TEST_NAME.log" 2>&1 &
notepad=$!
TARN_PIDS+=("$notepad")
tarn_wait_window "Untitled - Notepad" 20 >/dev/null || tarn_fail "notepad did not open"
wait_apply 2 f3 10 || tarn_fail "notepad in front did not send profile 3 ($(count), $(last))"
tarn_shot notepad-in-front >/dev/null

# The main window shows profile button 3 selected (a second start shows it; its own window in
# front keeps profile 3).
tarn_start --simulate
tarn_wait_exit "$TARN_LAST_PID" 20 || tarn_fail "the second start did not end"
win=$(tarn_wait_window "$TITLE" 10) || tarn_fail "the main window did not show"
sleep 1
import -window "$win" "$TARN_SHOTS/$TARN_TEST_NAME-profile3-selected.png"
# The selected look is the pressed picture: compare each button's inside with profile 1's.
shade() { convert "$TARN_SHOTS/$TARN_TEST_NAME-profile3-selected.png" -crop "12x8+$1+612" \
    -colorspace Gray -format '%[fx:int(255*mean)]' info:; }
p1=$(shade 338) p3=$(shade 533)
tarn_log "profile button 1 shade $p1, profile button 3 shade $p3"
[ $((p3 - p1)) -gt 20 ] || [ $((p1 - p3)) -gt 20 ] || tarn_fail "profile button 3 does not look selected"
tarn_key "$win" alt+F4
sleep 0.5
[ "$(count)" -eq 2 ] || tarn_fail "showing the window applied again"

# Closing notepad brings profile 1 back, with one apply only.
npwin=$(tarn_wait_window "Untitled - Notepad" 5) || tarn_fail "notepad's window went away"
tarn_key "$npwin" alt+F4
tarn_wait_exit "$notepad" 10 || tarn_fail "notepad did not close"
wait_apply 3 f2 10 || tarn_fail "closing notepad did not bring profile 1 back ($(count), $(last))"
sleep 2.5
[ "$(count)" -eq 3 ] || tarn_fail "$(count) applies after closing notepad"
[ "$(sums)" = "$before" ] || tarn_fail "a switch wrote a settings file: $(sums)"
grep -q ' ERROR ' "$sim_log_unix" && tarn_fail "protocol errors: $(grep ' ERROR ' "$sim_log_unix")"

# The tray menu (four items of 22 pixels, no title) and its second item, "Programs…".
tray_menu() {
    local w
    for w in $(xdotool search --onlyvisible --name '^$' 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$w")"
        if [ "$HEIGHT" -ge 88 ] && [ "$HEIGHT" -le 100 ] && [ "$WIDTH" -ge 75 ]; then
            echo "$w"
            return 0
        fi
    done
    return 1
}
open_dialog() {
    local tray menu
    tray=$(xdotool search --onlyvisible --name '^Wine System Tray$' | head -1)
    [ -n "$tray" ] || tarn_fail "no tray window"
    xdotool mousemove --window "$tray" 10 10 sleep 0.2 click 3
    for _ in $(seq 12); do menu=$(tray_menu) && break; sleep 0.25; done
    [ -n "$menu" ] || tarn_fail "the tray menu did not open"
    xdotool mousemove --window "$menu" 60 $((2 + 22 + 11)) sleep 0.2 click 1
    dialog=$(tarn_wait_window "$DIALOG" 10) || tarn_fail "the Programs dialog did not open"
    sleep 0.5
}
row_y() { echo $((44 + 22 * $1 + 11)); }
open_dialog
tarn_shot dialog-english "$dialog" >/dev/null
# Rows: profile 1, none, profile 2, none, profile 3, notepad.exe; then Remove.
tarn_click "$dialog" 120 "$(row_y 5)"
tarn_click "$dialog" 285 353
grep -q 'notepad' "$data/ProgramLinks.txt" && tarn_fail "Remove left the link in the file"
tarn_shot dialog-removed "$dialog" >/dev/null
# Profile 4, Add…: the system's open dialog takes a typed path.
tarn_click "$dialog" 120 "$(row_y 6)"
tarn_click "$dialog" 62 353
tarn_wait_window "Choose a program" 10 >/dev/null || tarn_fail "Add… opened no file dialog"
sleep 0.5
xdotool type --delay 20 'C:\windows\system32\notepad.exe'
xdotool key Return
for _ in $(seq 20); do grep -q '^4=notepad.exe' "$data/ProgramLinks.txt" && break; sleep 0.25; done
grep -q '^4=notepad.exe' "$data/ProgramLinks.txt" || tarn_fail "Add… linked nothing"
sleep 0.3
tarn_shot dialog-added "$dialog" >/dev/null
tarn_click "$dialog" 383 353
for _ in $(seq 20); do tarn_window_visible "$DIALOG" || break; sleep 0.25; done
tarn_window_visible "$DIALOG" && tarn_fail "Close left the dialog open"

# In Chinese: the language menu's first entry, then the dialog again; profile 2 picks notepad
# in front after the countdown.
tarn_start --simulate
tarn_wait_exit "$TARN_LAST_PID" 20 || tarn_fail "the third start did not end"
win=$(tarn_wait_window "$TITLE" 10) || tarn_fail "the main window did not show again"
tarn_click "$win" 36 626
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$win")"
xdotool mousemove $((X + 11 + 50)) $((Y + 348 + 17)) sleep 0.2 click 1
sleep 1
tarn_key "$win" alt+F4
open_dialog
tarn_shot dialog-chinese "$dialog" >/dev/null
tarn_click "$dialog" 120 "$(row_y 2)"
tarn_click "$dialog" 176 353
"$WINE_LOADER" notepad >>"$TARN_SHOTS/$TARN_TEST_NAME.log" 2>&1 &
notepad=$!
TARN_PIDS+=("$notepad")
for _ in $(seq 24); do
    grep -q '^2=notepad.exe' "$data/ProgramLinks.txt" 2>/dev/null && break
    sleep 0.25
done
grep -q '^2=notepad.exe' "$data/ProgramLinks.txt" || tarn_fail "picking in front linked nothing"
tarn_stop_pid "$notepad" 5
sleep 0.5
tarn_shot dialog-picked "$dialog" >/dev/null
tarn_click "$dialog" 383 353
kill -0 "$main" 2>/dev/null || tarn_fail "the program ended"
tarn_log "ok"
