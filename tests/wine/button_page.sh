#!/usr/bin/env bash
# The button settings page and its assignment panel end to end with the simulated mouse: the
# back button gets volume up from the basic list, the forward button Ctrl+A by its Ctrl box and
# the key, the middle button is disabled, taking the click from the left button is refused with
# its message; resolution levels and report rate change. The main window's OK sends it all
# (the key matrix, the DPI table, the report interval) and saves Profile1.cfg; a restart shows
# the assignments again. Screenshots of the page, the panel and each sub-page.
. "$(dirname "$0")/lib.sh"
TITLE="Nirel Tarn Gaming Mouse Driver"
tarn_sim_log button_page
# The page lies at (15,128) of the main window; tab i is clicked at the middle of its outline.
PX=15 PY=128
TAB_X=(65 156 244 331 419 515 623)

panel_window() {
    local w
    for w in $(xdotool search --onlyvisible --name '^$' 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$w")"
        if [ "$WIDTH" -eq 412 ] && [ "$HEIGHT" -eq 290 ]; then echo "$w"; return 0; fi
    done
    return 1
}
open_panel() {  # button index
    tarn_click "$win" $((PX + TAB_X[$1])) $((PY + 425))
    for _ in $(seq 20); do panel=$(panel_window) && { sleep 0.3; return 0; }; sleep 0.25; done
    tarn_fail "the panel of button $1 did not open"
}
panel_closes() {
    for _ in $(seq 20); do panel_window >/dev/null || return 0; sleep 0.25; done
    tarn_fail "the panel stayed open"
}
# Panel points: sub-page tabs, OK, the disable box; sub-pages lie at (21,74). After a tab the
# pointer rests on the title, so no tooltip covers the photographs.
panel_tab() {
    tarn_click "$panel" "$((55 + 96 * ($1 - 1)))" 50
    xdotool mousemove --window "$panel" 200 10
    sleep 0.4
}
panel_ok() { tarn_click "$panel" 354 271; panel_closes; }
u32() { od -An -tu4 -j "$2" -N4 "$1" | tr -d ' '; }
# Button i's assignment starts at 4 + 3148 i; its name at 0x224 within it.
function_of() { u32 "$data/Profile/Profile1.cfg" $((4 + 3148 * $1)); }
name_of() {
    dd if="$data/Profile/Profile1.cfg" bs=1 skip=$((4 + 3148 * $1 + 0x224)) count=64 2>/dev/null |
        iconv -f UTF-16LE -t UTF-8 2>/dev/null | tr -d '\000'
}
apply_and_wait() {
    tarn_click "$win" 900 610
    tarn_wait_window NirelTarnProcessDlg 10 >/dev/null || tarn_fail "no progress window"
    for _ in $(seq 60); do tarn_window_visible NirelTarnProcessDlg || return 0; sleep 0.25; done
    tarn_fail "the progress window stayed open"
}

# The data folder of a first start, with two macros of group 1 for the macro sub-page.
le32() {  # value: four bytes, least significant first
    local i
    for i in 0 1 2 3; do printf "\\$(printf %03o $(($1 >> (8 * i) & 255)))"; done
}
put_macro() {  # file slot id name
    local record
    record=$(mktemp)
    { le32 4104; le32 $((0xE8E80010)); le32 "$3"; le32 0; le32 1; le32 1
      le32 $((0xC0000041)); head -c 3996 /dev/zero
      printf '%s' "$4" | iconv -f UTF-8 -t UTF-16LE; head -c $((80 - 2 * ${#4})) /dev/zero
    } >"$record"
    dd if="$record" of="$1" bs=4104 seek="$2" conv=notrunc status=none
    rm -f "$record"
}
seed_data() {  # program folder
    tarn_fresh_data
    mkdir -p "$data/Profile"
    cp "$1"/Macro.cfg "$1"/Language.cfg "$1"/Sts.cfg "$data/"
    cp "$1"/Profile/*.cfg "$data/Profile/"
    put_macro "$data/Macro.cfg" 0 $((0x01000001)) "Grenade"
    put_macro "$data/Macro.cfg" 1 $((0x01000002)) "Reload"
}
data=$(tarn_data_unix)
seed_data "$TARN_PROGRAM_DIR"
tarn_start --simulate
main=$TARN_LAST_PID
win=$(tarn_wait_window "$TITLE" 60) || tarn_fail "the main window did not appear"
sleep 1.5
before=$(tarn_shot page "$win")

# The hint line (67,598)-(300,628) tells what the resolution toggles do.
hint_crop() { import -window "$win" -crop 233x30+67+598 "$TARN_SHOTS/button_page-hint-$1.png"; }
xdotool mousemove --window "$win" $((PX + 300)) $((PY + 110))
sleep 0.4
hint_crop none
xdotool mousemove --window "$win" $((PX + 240)) $((PY + 73))
sleep 0.6
hint_crop dpi
n=$(compare -metric AE "$TARN_SHOTS/button_page-hint-none.png" "$TARN_SHOTS/button_page-hint-dpi.png" \
    null: 2>&1 || true)
[ "${n%% *}" -gt 20 ] 2>/dev/null || tarn_fail "no hint over the resolution toggles ($n)"

# Back (4): the panel opens on the key combination; the basic list, scrolled to its end, has
# volume up as its sixth row shown.
open_panel 4
tarn_shot panel-combo "$panel" >/dev/null
panel_tab 2
tarn_click "$panel" 60 $((74 + 9))
xdotool mousemove --window "$panel" 200 10
sleep 0.3
tarn_shot panel-macro "$panel" >/dev/null
panel_tab 4
tarn_shot panel-advanced "$panel" >/dev/null
panel_tab 3
tarn_shot panel-basic "$panel" >/dev/null
xdotool mousemove --window "$panel" 150 140 click --repeat 8 --delay 60 5
sleep 0.4
tarn_click "$panel" 100 $((74 + 5 * 18 + 9))
panel_ok

# Forward (3): the Ctrl box, then the A key, caught by the keyboard hook.
open_panel 3
tarn_click "$panel" $((21 + 65)) $((74 + 51))
xdotool key a
sleep 0.5
tarn_shot panel-combo-ctrl-a "$panel" >/dev/null
panel_ok

# Middle (1): disabled.
open_panel 1
tarn_click "$panel" 32 267
tarn_shot panel-disabled "$panel" >/dev/null
panel_ok

# Left (0): taking its click away is refused with the message; nothing changes.
open_panel 0
panel_tab 3
tarn_click "$panel" 100 $((74 + 3 * 18 + 9))
tarn_click "$panel" 354 271
box=$(tarn_wait_window NirelTarnInfoDlg 10) || tarn_fail "no refusal message"
sleep 0.5
tarn_shot refusal "$box" >/dev/null
tarn_click "$box" 273 143
for _ in $(seq 20); do tarn_window_visible NirelTarnInfoDlg || break; sleep 0.25; done
panel_window >/dev/null && tarn_fail "the panel stayed open after the refusal"

# Resolution: 3000 off, 500 on (five levels at most); report rate 125 Hz.
tarn_click "$win" $((PX + 581)) $((PY + 73))
tarn_click "$win" $((PX + 90)) $((PY + 73))
tarn_click "$win" $((PX + 93)) $((PY + 310))
sleep 0.3
tarn_shot page-changed "$win" >/dev/null

saved=$(stat -c %y "$data/Profile/Profile1.cfg")
sleep 1
apply_and_wait
sleep 0.5
[ "$(stat -c %y "$data/Profile/Profile1.cfg")" != "$saved" ] || tarn_fail "Profile1.cfg not saved"
grep -q ERROR "$sim_log_unix" && tarn_fail "protocol errors: $(grep ERROR "$sim_log_unix")"
# Slots: 0 click, 1 menu, 2 middle disabled, 3 fixed, 4 back = volume up, 5 forward = Ctrl+A.
grep -q "OUT 01 01 00 f0 00 01 00 f1 00 07 00 00 00 07 00 03 00 03 00 e9 00 00 01 04 00" \
    "$sim_log_unix" || tarn_fail "the key matrix lacks the new words: $(grep OUT "$sim_log_unix" | tail -4)"
grep -q " SET 01 01 08 " "$sim_log_unix" || tarn_fail "no 125 Hz report interval"
grep -q "OUT 01 02 03 04 06 08 " "$sim_log_unix" ||
    tarn_fail "the DPI table is not 500..2000: $(grep OUT "$sim_log_unix" | tail -2)"
[ "$(function_of 4)" = 37 ] && [ "$(name_of 4)" = "Volume up" ] ||
    tarn_fail "back is $(function_of 4) '$(name_of 4)'"
[ "$(function_of 3)" = 5 ] && [ "$(name_of 3)" = "Ctrl + A" ] ||
    tarn_fail "forward is $(function_of 3) '$(name_of 3)'"
[ "$(u32 "$data/Profile/Profile1.cfg" $((4 + 3148 * 3 + 16)))" = $((0x00040100)) ] ||
    tarn_fail "the combination word was not stored"
[ "$(function_of 1)" = 121 ] || tarn_fail "middle is $(function_of 1)"
[ "$(function_of 0)" = 1 ] || tarn_fail "the left button lost its click"
tarn_log "assignments applied and saved"

# A restart shows them: the tabs of the three changed buttons show selected, the others not.
tarn_stop_pid "$main" 5
tarn_start --simulate
main=$TARN_LAST_PID
win=$(tarn_wait_window "$TITLE" 60) || tarn_fail "the main window did not come back"
sleep 1.5
after=$(tarn_shot page-restarted "$win")
tab_differs() {  # index
    local x=$((PX + TAB_X[$1] - 20)) n
    n=$(compare -metric AE -crop "40x20+$x+$((PY + 416))" "$before" "$after" null: 2>&1 || true)
    [ "${n%% *}" -gt 100 ] 2>/dev/null
}
for i in 1 3 4; do tab_differs "$i" || tarn_fail "tab $i does not show its new function"; done
for i in 0 2 5 6; do tab_differs "$i" && tarn_fail "tab $i shows selected"; done
open_panel 4
xdotool mousemove --window "$panel" 200 10
sleep 0.3
tarn_shot panel-after-restart "$panel" >/dev/null
tarn_click "$panel" 397 12
panel_closes
tarn_stop_pid "$main" 5
tarn_log "restart shows the assignments"

# In Simplified Chinese, with the Chinese skin: the page, the panel and its four sub-pages.
zh="$TARN_SHOTS/../program-chinese"
rm -rf "$zh"
mkdir -p "$zh"
cp -r "$TARN_PROGRAM_DIR"/TarnDriver.exe "$TARN_PROGRAM_DIR"/MenuEx.dll "$TARN_PROGRAM_DIR"/Language \
    "$TARN_PROGRAM_DIR"/Profile "$TARN_PROGRAM_DIR"/*.cfg "$zh/"
"$TARN_HOST_TOOLS/skin_renderer" --skins "$zh/skins" --chinese || tarn_fail "no Chinese skin"
seed_data "$zh"
printf '\001\000\000\000' >"$data/Language.cfg"
TARN_PROGRAM_DIR=$zh tarn_start --simulate
win=$(tarn_wait_window "$TITLE" 60) || tarn_fail "the Chinese main window did not appear"
sleep 1.5
tarn_shot page-chinese "$win" >/dev/null
open_panel 4
xdotool mousemove --window "$panel" 200 10
sleep 0.3
tarn_shot panel-combo-chinese "$panel" >/dev/null
panel_tab 2
tarn_click "$panel" 60 $((74 + 9))
xdotool mousemove --window "$panel" 200 10
sleep 0.3
tarn_shot panel-macro-chinese "$panel" >/dev/null
panel_tab 3
tarn_shot panel-basic-chinese "$panel" >/dev/null
panel_tab 4
tarn_shot panel-advanced-chinese "$panel" >/dev/null
tarn_click "$panel" 397 12
panel_closes
rm -rf "$zh"
tarn_log "ok"
