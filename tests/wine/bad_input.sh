#!/usr/bin/env bash
# Bad input through the real program's fields and dialogs, pasted as a user would: the scroll
# lines, the repeat count and the delay take signs, full-width digits and runs too long for
# them; a program path with spaces, '&', '%', "%TEMP%", "%s" and three scripts is chosen in the
# file dialog and runs from the middle button; an export goes to such a folder; imports of a
# 0-byte, a 300 MB and a wrong-first-word file are refused quickly and change no file. Then a
# program folder with cut-off and missing skin pictures and language files that are no XML:
# every page, the group menu and the assignment panel open, and nothing crashes.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/helpers/support_lib.sh"
tarn_sim_log bad_input
data=$(tarn_data_unix)
work="$TARN_SHOTS/../bad-input"
rm -rf "$work"
mkdir -p "$work"
PX=15 PY=128
i32() { od -An -td4 -j "$2" -N4 "$1" | tr -d ' '; }
# The settings files but the counters, which every click changes.
data_sums() { (cd "$data" && find . -type f ! -name Sts.cfg -exec md5sum {} + | sort -k2); }
crashed() { grep -qa "Unhandled" "$TARN_SHOTS/$TARN_TEST_NAME.log"; }
alive() {  # what
    crashed && tarn_fail "the program crashed: $1"
    kill -0 "$prog" 2>/dev/null || tarn_fail "the program ended: $1"
}

# Puts the text on the clipboard and pastes it over the focused field's text.
paste_text() {  # text
    printf '%s' "$1" >"$work/clipboard.txt"
    "$WINE_LOADER" "$HELPERS/clipboard_text.exe" "$(tarn_win_path "$work/clipboard.txt")" ||
        tarn_fail "the clipboard helper failed"
    xdotool key ctrl+a ctrl+v
    sleep 0.3
}
# Answers the system's file dialog with a path.
dialog_path() {  # title path
    local dlg
    dlg=$(tarn_wait_window "$1" 10) || tarn_fail "no '$1' dialog"
    # Focused by a click on its right margin: the tray's balloon may cover its top-left corner.
    eval "$(xdotool getwindowgeometry --shell "$dlg")"
    tarn_focus "$dlg" $((WIDTH - 3)) $((HEIGHT / 2))
    xdotool key alt+n  # the file name, whatever the dialog's layout
    # Pasted in one piece: typed, each backslash would set the dialog's completion going.
    paste_text "$2"
    xdotool key Return
    sleep 0.5
}
# Closes the plain "Info" box the export and import answer with.
close_info() {  # what
    local box
    box=$(tarn_wait_window Info 10) || tarn_fail "no message after $1"
    [ -n "${2:-}" ] && tarn_shot "info-$1" >/dev/null
    tarn_focus "$box"
    xdotool key Return
    for _ in $(seq 20); do tarn_window_visible Info || return 0; sleep 0.2; done
    tarn_fail "the message after $1 stayed open"
}
# Under Wine, with no window manager, the first clicks after a system dialog or box closes may
# only bring the window back; so a click is repeated until it does what it should.
click_until() {  # window x y test...
    local w=$1 x=$2 y=$3
    shift 3
    for _ in 1 2 3 4 5; do
        tarn_click "$w" "$x" "$y"
        for _ in 1 2 3 4; do "$@" && return 0; sleep 0.25; done
    done
    return 1
}
panel_gone() { ! xdotool search --onlyvisible --name '^$' 2>/dev/null | grep -qx "$panel"; }
apply_and_wait() {
    click_until "$win" 900 610 tarn_window_visible NirelTarnProcessDlg ||
        tarn_fail "no progress window"
    for _ in $(seq 60); do tarn_window_visible NirelTarnProcessDlg || return 0; sleep 0.25; done
    tarn_fail "the progress window stayed open"
}
profile() { echo "$data/Profile/Profile1.cfg"; }

tarn_fresh_data
tarn_start --simulate
prog=$TARN_LAST_PID
win=$(tarn_wait_window "$TITLE" 60) || tarn_fail "the main window did not appear"
sleep 1

# ---- The wheel's scroll lines (edit at page 561,366): junk is one line, a long run thirty.
lines_case() {  # pasted expected
    tarn_click "$win" $((PX + 561)) $((PY + 366))
    paste_text "$1"
    apply_and_wait
    [ "$(i32 "$(profile)" $((0x568C)))" = "$2" ] ||
        tarn_fail "scroll lines '$1' saved as $(i32 "$(profile)" $((0x568C)))"
}
lines_case "１５" 1
lines_case "$(printf '9%.0s' $(seq 300))" 30
alive "the scroll lines"
tarn_log "scroll lines ok"

# ---- The macro page: a macro of one key pair, then its repeat count and a delay.
. "$(dirname "$0")/helpers/macro_page.sh"
tarn_click "$win" 470 103
sleep 0.5
new_macro Junk
record_button
xdotool key x
sleep 0.3
record_button
sleep 0.6
loop_case() {  # pasted expected
    page_click 872 94
    paste_text "$1"
    sleep 0.5
    [ "$(macro_field Junk 4)" = "$2" ] || tarn_fail "repeat count '$1' stored as: $(macros)"
}
loop_case "-5" 1
loop_case "12345678" 12345  # the field takes five characters
slot=$(macro_field Junk 1)
events=$(slot_events "$slot" 3)
page_click 120 98   # the macro's row, then its second entry
page_click 400 78
page_click 358 426  # insert
page_click 717 373  # delay choice
page_click 743 398
paste_text "-5"
page_click 872 398  # confirm
sleep 0.5
[ "$(slot_events "$slot" 3)" = "$events" ] ||
    tarn_fail "a pasted -5 ms changed the macro: $(slot_events "$slot" 3)"
alive "the macro fields"
tarn_shot macro-page "$win" >/dev/null
tarn_log "repeat count and delay ok"

# ---- A program in a folder whose name has every awkward character, chosen in the dialog for
# the middle button, applied, and run by a middle click.
odd="$work/dir with space & 100% %TEMP% %s Копия 备份 🎮"
mkdir -p "$odd"
cp "$HELPERS/action_marker.exe" "$odd/run me.exe"
tarn_click "$win" 100 103
tarn_click "$win" $((PX + 156)) $((PY + 425))
sleep 0.8
panel=$(xdotool search --onlyvisible --name '^$' 2>/dev/null | while read -r w; do
    eval "$(xdotool getwindowgeometry --shell "$w")"
    [ "$WIDTH" -eq 412 ] && [ "$HEIGHT" -eq 290 ] && echo "$w"
done | head -1)
[ -n "$panel" ] || tarn_fail "the assignment panel did not open"
tarn_click "$panel" 343 50    # the software-action sub-page
tarn_click "$panel" 332 144   # browse for a program
dialog_path Open "$(tarn_win_path "$odd/run me.exe")"
tarn_shot action-chosen >/dev/null
click_until "$panel" 354 271 panel_gone || tarn_fail "the panel's OK did nothing"
apply_and_wait
xdotool mousemove --window "$win" 600 300 click 2
for _ in $(seq 40); do [ -f "$odd/run me.exe.ran" ] && break; sleep 0.25; done
[ -f "$odd/run me.exe.ran" ] || tarn_fail "the middle button did not run '$odd/run me.exe'"
alive "the software action"
tarn_log "software action ok"

# ---- Export into that folder; imports of files that are no export change nothing.
tarn_click "$win" 850 103
tarn_click "$win" 294 532
dialog_path "Save As" "$(tarn_win_path "$odd/mine.cfg")"
close_info export shot
[ "$(stat -c %s "$odd/mine.cfg" 2>/dev/null)" = 30160 ] || tarn_fail "the export was not written"
: >"$work/empty.cfg"
truncate -s 300M "$work/huge.cfg"
cp "$odd/mine.cfg" "$work/wrong.cfg"
printf '\201' | dd of="$work/wrong.cfg" bs=1 seek=3 conv=notrunc status=none
before=$(data_sums)
# The 1-byte and random files are refused by the same wiring; the unit tests read them.
for name in empty huge wrong; do
    started=$(date +%s)
    tarn_click "$win" 194 532
    dialog_path Open "$(tarn_win_path "$work/$name.cfg")"
    shot=""
    [ "$name" = huge ] && shot=shot
    close_info "import-$name" "$shot"
    [ $(($(date +%s) - started)) -le 8 ] || tarn_fail "the import of $name took too long"
done
tarn_click "$win" 120 103  # OK works on the button and lighting pages only
apply_and_wait              # the profile in memory is still the exported one
cmp -s <(head -c 22160 "$odd/mine.cfg") "$(profile)" ||
    tarn_fail "a refused import changed the profile"
[ "$(data_sums)" = "$before" ] || tarn_fail "a refused import changed a settings file"
rm -f "$work/huge.cfg"
alive "the imports"
tarn_stop_pid "$prog" 5
tarn_log "export and imports ok"

# ---- Damaged skins and language files in a program folder of the test's own; its defaults
# start the user in French, whose file is a web page.
installed=$TARN_PROGRAM_DIR
tarn_private_program "$work/program"
rm "$TARN_PROGRAM_DIR/skins" "$TARN_PROGRAM_DIR/Language" "$TARN_PROGRAM_DIR/Language.cfg"
cp -r "$installed/skins" "$installed/Language" "$TARN_PROGRAM_DIR/"
printf '\003\000\000\000' >"$TARN_PROGRAM_DIR/Language.cfg"
skins="$TARN_PROGRAM_DIR/skins"
cut_to() { head -c "$2" "$1" >"$1.cut" && mv "$1.cut" "$1"; }
cut_to "$skins/Main_Normal.bmp" 54
cut_to "$skins/Tarn_Main_Normal.bmp" $(($(stat -c %s "$skins/Tarn_Main_Normal.bmp") / 2))
: >"$skins/Macro_normal.bmp"
rm "$skins/Sts_Normal.bmp"
cut_to "$skins/setting/Setting_Normal.bmp" 54
cut_to "$skins/Menu/MenuNorL.BMP" 54
cut_to "$skins/Slider.png" 300
lang="$TARN_PROGRAM_DIR/Language"
cut_to "$lang/sc.xml" $(($(stat -c %s "$lang/sc.xml") / 2))
head -c 4096 /dev/urandom >"$lang/en.xml"
printf '<!DOCTYPE html><html><head><title>404</title></head><body>Gone</body></html>' \
    >"$lang/fre.xml"
tarn_fresh_data
tarn_start --simulate
prog=$TARN_LAST_PID
win=$(tarn_wait_window "$TITLE" 60) || tarn_fail "no main window with the damaged skins"
sleep 1
for tab in 120 300 470 650 850; do
    tarn_click "$win" "$tab" 103
    sleep 0.5
    tarn_shot "damaged-$tab" "$win" >/dev/null
    alive "the page under $tab"
done
tarn_click "$win" 470 103
page_click 176 59  # the group menu, with its cut-off picture
sleep 0.8
tarn_shot damaged-menu >/dev/null
page_click 335 200
tarn_click "$win" 120 103
tarn_click "$win" $((PX + 65)) $((PY + 425))
sleep 1
tarn_shot damaged-panel >/dev/null
alive "the assignment panel"
tarn_stop_pid "$prog" 5
rm -rf "$TARN_PROGRAM_DIR"  # the copied skins, some 50 MB
tarn_log "ok"
