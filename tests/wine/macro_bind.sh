#!/usr/bin/env bash
# A macro recorded on the macro page is bound on the button page: the middle button's tab opens
# the assignment panel, its macro sub-page lists the user's group, the macro is chosen and OK
# pressed; the main window's OK then uploads the macro as macro 1 and sends the key matrix with
# the macro word in the middle button's slot.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/helpers/macro_page.sh"
tarn_sim_log macro_bind
tarn_fresh_data
data=$(tarn_data_unix)
start_program
new_macro Bound
record_button
xdotool key q
sleep 0.3
record_button
sleep 0.8
id=$(macro_field Bound 2)
[ -n "$id" ] || tarn_fail "the macro was not stored: $(macros)"

# The panel: a borderless window of the size of its skin, 412 x 290.
panel_window() {
    local w
    for w in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$w")"
        if [ "$WIDTH" -eq 412 ] && [ "$HEIGHT" -eq 290 ]; then echo "$w"; return 0; fi
    done
    return 1
}
tarn_click "$win" 100 103         # the button page
tarn_click "$win" 171 552         # the middle button's tab
sleep 0.8
panel=$(panel_window) || tarn_fail "the assignment panel did not open"
tarn_click "$panel" 151 50        # its macro sub-page
# The group list (21 rows of 16 pixels at (22,75)) scrolled to its end shows the user's own
# group, the last, in its tenth row.
xdotool mousemove --window "$panel" 110 150 click --repeat 14 --delay 60 5
sleep 0.3
tarn_click "$panel" 111 $((75 + 9 * 16 + 8))
sleep 1                           # the macro list fills
tarn_click "$panel" 299 83        # the macro, the group's first
sleep 0.5
tarn_shot panel "$panel" >/dev/null
tarn_click "$panel" 354 271       # OK
for _ in $(seq 20); do panel_window >/dev/null || break; sleep 0.25; done
panel_window >/dev/null && tarn_fail "the panel stayed open"

tarn_click "$win" 900 610
tarn_wait_window NirelTarnProcessDlg 10 >/dev/null || tarn_fail "no progress window"
for _ in $(seq 60); do tarn_window_visible NirelTarnProcessDlg || break; sleep 0.25; done
sleep 0.5
grep -q ERROR "$sim_log_unix" && tarn_fail "protocol errors: $(grep ERROR "$sim_log_unix")"
sim_reports | grep -Eq '^[0-9]+ SET [0-9a-f]{2} 13 01 01 00 02' ||
    tarn_fail "no macro was uploaded as macro 1"
entries=$("$TARNCTL" macro encode "$data/Macro.cfg" "$id" | head -1)
word=$(sim_reports | awk '$2 == "SET" && $4 == "12" { on = 1; next }
    on && $2 == "OUT" { print $12, $13, $14, $15; exit }')
[ "$word" = "09 00 01 $(printf '%02x' "$entries")" ] || tarn_fail "middle button word: $word"
tarn_log "ok"
