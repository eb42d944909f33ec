#!/usr/bin/env bash
# Editing macros on the macro page: a macro renamed in place keeps its events under the new
# name in Macro.cfg; deleting a macro that a profile slot binds is refused with the program's
# message and changes nothing; an unbound one is deleted. Then the page with the insert panel
# open, in English and, from a Chinese skin, in Chinese, with the game-group menu.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/helpers/macro_page.sh"
INFO=NirelTarnInfoDlg
tarn_fresh_data
data=$(tarn_data_unix)
start_program

record_key() {  # key
    record_button
    xdotool key "$1"
    sleep 0.3
    record_button
    sleep 0.6
}
new_macro Alpha
record_key x
new_macro Beta
record_key y
[ "$(macros | awk '{ print $6 }' | tr '\n' ' ')" = '"Alpha" "Beta" ' ] ||
    tarn_fail "Macro.cfg holds: $(macros)"
alpha=$(macro_field Alpha 2)
beta=$(macro_field Beta 2)

# Rename in place: a double click opens the editor on the name, Enter commits it.
page_double_click 120 98
xdotool type --delay 40 Gamma
xdotool key Return
sleep 0.8
[ "$(macro_field Gamma 2)" = "$alpha" ] || tarn_fail "the rename was not stored: $(macros)"
[ "$(macro_field Gamma 5)" = 3 ] || tarn_fail "the renamed macro lost its events: $(macros)"
stop_program

# Beta is bound to the back button of profile slot 4, which is not the current one.
bind_macro 3 4 "$beta"
start_program
macro_row 1
page_click 108 426  # delete
box=$(tarn_wait_window "$INFO" 10) || tarn_fail "deleting a bound macro showed no message"
tarn_shot refused "$box" >/dev/null
tarn_click "$box" 273 143
for _ in $(seq 20); do tarn_window_visible "$INFO" || break; sleep 0.25; done
[ -n "$(macro_field Beta 2)" ] || tarn_fail "the bound macro was deleted"
macro_row 0
page_click 108 426
sleep 0.8
tarn_window_visible "$INFO" && tarn_fail "deleting an unbound macro was refused"
[ "$(macros | wc -l)" = 1 ] && [ -n "$(macro_field Beta 2)" ] ||
    tarn_fail "after the delete Macro.cfg holds: $(macros)"
tarn_log "rename, refused delete and delete ok"

# The page in use: Beta's events with the insert panel open on its key row.
macro_row 0
page_click 358 426  # insert
page_click 700 325  # the key row
xdotool key F5
rest_pointer
tarn_shot english "$win" >/dev/null
stop_program

# The same page from a Chinese skin, where it takes the Chinese rectangles.
zh="$TARN_SHOTS/../macro-edit-chinese"
rm -rf "$zh"
cp -r "$TARN_PROGRAM_DIR" "$zh"
rm -rf "$zh/skins"
"$TARN_HOST_TOOLS/skin_renderer" --skins "$zh/skins" --chinese || tarn_fail "no Chinese skin"
printf '\001\000\000\000' >"$data/Language.cfg"  # Simplified Chinese
start_program "$zh"
macro_row 0
page_click 375 426  # insert, Chinese rectangle
page_click 700 348  # the key row, Chinese rectangle
xdotool key F5
rest_pointer
tarn_shot chinese "$win" >/dev/null
page_click 176 59  # the group button
sleep 0.8
tarn_shot chinese-groups >/dev/null
menu=$(xdotool search --onlyvisible --name '^TarnMenuEx$' | head -1)
[ -n "$menu" ] || tarn_fail "the group menu did not open"
page_click 335 200  # a click elsewhere on the page closes it
sleep 0.5
[ -z "$(xdotool search --onlyvisible --name '^TarnMenuEx$' | head -1)" ] ||
    tarn_fail "the group menu stayed open"
stop_program
rm -rf "$zh"
tarn_log "ok"
