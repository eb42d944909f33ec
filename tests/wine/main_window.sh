#!/usr/bin/env bash
# The main window end to end with the simulated mouse: first start seeds the data folder and
# shows the centred skinned window; tabs switch pages; hovering next to a tab shows its hint; OK
# applies the default profile through the progress window and saves it; profile 3 then OK makes
# slot 2 active; the language menu opens at its button, writes Language.cfg and closes when the
# user clicks elsewhere; Alt+F4 hides the window, a second start shows it, and the tray menu's
# "Exit" ends the process.
. "$(dirname "$0")/lib.sh"
TITLE="Nirel Tarn Gaming Mouse Driver"
tarn_sim_log main_window

tarn_fresh_data
data=$(tarn_data_unix)
tarn_start --simulate
main=$TARN_LAST_PID
win=$(tarn_wait_window "$TITLE" 60) || tarn_fail "the main window did not appear"
sleep 1
for f in Profile/ConfigInfo.cfg Profile/Profile1.cfg Profile/Profile5.cfg Macro.cfg Language.cfg; do
    [ -f "$data/$f" ] || tarn_fail "the data folder lacks $f"
done
eval "$(xdotool getwindowgeometry --shell "$win")"
[ "$WIDTH" -eq 959 ] && [ "$HEIGHT" -eq 639 ] || tarn_fail "window is ${WIDTH}x$HEIGHT"
# Xvfb's work area is the whole 1280 x 800 screen.
[ "$X" -eq 160 ] && [ "$Y" -eq 80 ] || tarn_fail "window at $X,$Y, not centred"
tarn_shot start >/dev/null

# The tabs, at a point inside each outline.
tab_x=(100 290 470 660 850)
for k in 4 3 2 1 0; do
    tarn_click "$win" "${tab_x[$k]}" 103
    sleep 0.3
    tarn_shot "page$((k + 1))" >/dev/null
done

# The hint line lies at (67,598)-(300,628); one pixel above tab 3's box selects its hint.
hint_crop() { import -window "$win" -crop 233x30+67+598 "$TARN_SHOTS/main_window-hint-$1.png"; }
xdotool mousemove --window "$win" 450 60
sleep 0.4
hint_crop empty
xdotool mousemove --window "$win" 450 84
sleep 0.6
hint_crop tab3
diff_pixels=$(compare -metric AE "$TARN_SHOTS/main_window-hint-empty.png" \
    "$TARN_SHOTS/main_window-hint-tab3.png" null: 2>&1 || true)
[ "${diff_pixels%% *}" -gt 20 ] 2>/dev/null || tarn_fail "no hint text appeared ($diff_pixels)"

# OK applies: the progress window shows and closes itself; the profile is saved.
mtime() { stat -c %Y.%N "$1" 2>/dev/null || stat -c %Y "$1"; }
before=$(stat -c %y "$data/Profile/Profile1.cfg")
sleep 1
apply_and_wait() {
    tarn_click "$win" 900 610
    tarn_wait_window NirelTarnProcessDlg 10 >/dev/null || tarn_fail "no progress window ($1)"
    tarn_shot "progress-$1" >/dev/null
    for _ in $(seq 60); do tarn_window_visible NirelTarnProcessDlg || return 0; sleep 0.25; done
    tarn_fail "the progress window stayed open ($1)"
}
apply_and_wait profile1
sleep 0.5
[ "$(stat -c %y "$data/Profile/Profile1.cfg")" != "$before" ] || tarn_fail "Profile1.cfg not saved"
grep -q ERROR "$sim_log_unix" && tarn_fail "protocol errors: $(grep ERROR "$sim_log_unix")"
# The default profile's apply, in its order: key matrix and its two pieces, colour, effect,
# DPI table and its piece, DPI level, report interval.
order=$(awk '$2 == "SET" {print "SET " $4} $2 == "OUT" {print "OUT"}' "$sim_log_unix" | tail -9 |
    tr '\n' ' ')
[ "$order" = "SET 12 OUT OUT SET 0c SET 0d SET 11 OUT SET 0b SET 01 " ] ||
    tarn_fail "apply order was: $order"
grep -q "OUT 01 01 00 f0 00 01 00 f1 00 01 00 f2 00 07 00 03 00 01 00 f3 00 01 00 f4" \
    "$sim_log_unix" || tarn_fail "the default key matrix was not sent"

# Profile button 3, then OK: slot 2 becomes the active one and Profile3.cfg is written.
before3=$(stat -c %y "$data/Profile/Profile3.cfg")
tarn_click "$win" 570 621
sleep 0.3
sleep 1
apply_and_wait profile3
sleep 0.5
[ "$(stat -c %y "$data/Profile/Profile3.cfg")" != "$before3" ] || tarn_fail "Profile3.cfg not saved"
active() { od -An -tu4 -j $(($1 * 1600 + 4)) -N4 "$data/Profile/ConfigInfo.cfg" | tr -d ' '; }
[ "$(active 2)" = 1 ] && [ "$(active 0)" = 0 ] || tarn_fail "slot 2 is not the active slot"

# The language menu: at the button, 116 x 273; French then English rewrite Language.cfg.
language_id() { od -An -td4 -N4 "$data/Language.cfg" | tr -d ' '; }
menu_window() {
    local w
    for w in $(xdotool search --onlyvisible --name '^$' 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$w")"
        if [ "$WIDTH" -eq 116 ] && [ "$HEIGHT" -eq 273 ]; then echo "$w"; return 0; fi
    done
    return 1
}
choose_language() {  # row (0-based)
    tarn_click "$win" 36 626
    sleep 0.5
    local menu
    menu=$(menu_window) || tarn_fail "the language menu did not open"
    eval "$(xdotool getwindowgeometry --shell "$menu")"
    # Left edge 4 pixels left of the button (client 15), top 287 above its bottom (client 635).
    [ "$X" -eq $((160 + 11)) ] && [ "$Y" -eq $((80 + 348)) ] || tarn_fail "menu at $X,$Y"
    tarn_shot "language-menu-$1" >/dev/null
    tarn_click "$menu" 50 $((6 + 22 * $1 + 11))
    menu_closes || tarn_fail "the menu stayed open after a choice"
}
menu_closes() {
    for _ in $(seq 12); do
        menu_window >/dev/null || return 0
        sleep 0.25
    done
    return 1
}
choose_language 2
[ "$(language_id)" = 3 ] || tarn_fail "Language.cfg is $(language_id) after French"
choose_language 1
[ "$(language_id)" = 2 ] || tarn_fail "Language.cfg is $(language_id) after English"
xdotool mousemove --window "$win" 100 103
sleep 1.5
tarn_shot tooltip-english >/dev/null
# Clicking outside closes the menu and changes nothing.
tarn_click "$win" 36 626
sleep 0.5
menu_window >/dev/null || tarn_fail "the language menu did not open again"
tarn_click "$win" 600 300
menu_closes || tarn_fail "a click outside left the menu open"
[ "$(language_id)" = 2 ] || tarn_fail "closing the menu changed Language.cfg"

# Alt+F4 hides; the process stays; a second start shows the window again.
tarn_key "$win" alt+F4
for _ in $(seq 20); do tarn_window_visible "$TITLE" || break; sleep 0.25; done
tarn_window_visible "$TITLE" && tarn_fail "still visible after Alt+F4"
kill -0 "$main" 2>/dev/null || tarn_fail "Alt+F4 ended the process"
tarn_start --simulate
tarn_wait_exit "$TARN_LAST_PID" 20 || tarn_fail "the second start did not end"
tarn_wait_window "$TITLE" 10 >/dev/null || tarn_fail "the second start did not show the window"

# The tray menu: right-click the icon in Wine's tray window, then "Exit".
tarn_tray_choose Exit tray-menu
start=$(date +%s%N)
tarn_wait_exit "$main" 5 || tarn_fail "Exit did not end the process"
elapsed=$((($(date +%s%N) - start) / 1000000))
tarn_log "ended ${elapsed} ms after Exit"
# The program itself is done within milliseconds; on an X server without a window manager Wine
# waits up to 2 s for each visible managed window to be withdrawn (the tray window, which hides
# with its last icon, and the main window), so the bound here is wider than on a desktop.
[ "$elapsed" -le 6000 ] || tarn_fail "Exit took ${elapsed} ms"
tarn_log "ok"
