#!/usr/bin/env bash
# The lighting page end to end with the simulated mouse: the steady mode and a click on the
# colour wheel, then OK, send the wheel's pixel as green, red, blue and save it in Profile1.cfg;
# a preset, the breathing mode and its speed send the colour and the effect; after a restart the
# page looks as it was left. Screenshots of the page in the English and the Chinese skin.
. "$(dirname "$0")/lib.sh"
TITLE="Nirel Tarn Gaming Mouse Driver"
post() { "$WINE_LOADER" "$TARN_PROGRAM_DIR/../probes/post_message.exe" "$TITLE" "$@" 2>/dev/null; }
tarn_sim_log lighting_page
data=$(tarn_data_unix)
# Page pixels as window pixels: the page lies at (15,128) of the main window.
page_click() { tarn_click "$win" $((15 + $1)) $((128 + $2)); }
rest() { xdotool mousemove --window "$win" 600 60; sleep 0.6; }
# The window as the screen shows it, tooltips over it included (a grab of the window alone
# leaves the tooltip's place black).
screen_shot() {
    eval "$(xdotool getwindowgeometry --shell "$win")"
    import -window root -crop "${WIDTH}x$HEIGHT+$X+$Y" "$TARN_SHOTS/lighting_page-$1.png"
}
page_shot() { import -window "$win" -crop 925x452+15+128 "$TARN_SHOTS/lighting_page-$1.png"; }
open_page() {
    win=$(tarn_wait_window "$TITLE" 60) || tarn_fail "the main window did not appear"
    sleep 1
    tarn_click "$win" 290 103
    sleep 0.8
    rest
}
apply_and_wait() {
    sleep 0.5
    tarn_click "$win" 900 610
    tarn_wait_window NirelTarnProcessDlg 10 >/dev/null || tarn_fail "no progress window ($1)"
    for _ in $(seq 60); do
        tarn_window_visible NirelTarnProcessDlg || { sleep 0.5; return 0; }
        sleep 0.25
    done
    tarn_fail "the progress window stayed open ($1)"
}
# One u32 of Profile1.cfg, and its four bytes in hex.
field() { od -An -tu4 -j "$1" -N4 "$data/Profile/Profile1.cfg" | tr -d ' '; }
field_bytes() { od -An -tx1 -j "$1" -N4 "$data/Profile/Profile1.cfg" | tr -d ' '; }
LED_MODE=22120 LED_COLOR=22124 LED_CUSTOM=22128 LED_PRESET=22132 LED_SPEED2=22152

tarn_fresh_data
tarn_start --simulate
main=$TARN_LAST_PID
open_page
page_shot english-spectrum

# Steady light, then a press on the wheel (page 800,345, a light blue): the colour is the
# skin's pixel there, byte for byte.
page_click 248 110
read -r r g b < <(convert "$TARN_PROGRAM_DIR/skins/Light/LedSet_normal.bmp" -crop 1x1+800+345 \
    -depth 8 txt:- | sed -n 's/.*#\([0-9A-Fa-f]\{2\}\)\([0-9A-Fa-f]\{2\}\)\([0-9A-Fa-f]\{2\}\).*/\1 \2 \3/p' |
    tr 'A-F' 'a-f')
[ -n "${b:-}" ] || tarn_fail "could not read the wheel's pixel from the skin"
page_click 800 345
rest
page_shot english-wheel
apply_and_wait wheel
grep -q ERROR "$sim_log_unix" && tarn_fail "protocol errors: $(grep ERROR "$sim_log_unix")"
grep -q " SET 01 0c 01 $g $r $b " "$sim_log_unix" ||
    tarn_fail "no SetLedColor $g $r $b: $(grep ' SET 01 0c ' "$sim_log_unix" | tail -1)"
grep -q " SET 01 0d 01 01 05 01 " "$sim_log_unix" || tarn_fail "no steady-light effect sent"
[ "$(field_bytes $LED_COLOR)" = "$r$g${b}00" ] || tarn_fail "ledColor is $(field_bytes $LED_COLOR)"
[ "$(field $LED_MODE)" = 1 ] && [ "$(field $LED_CUSTOM)" = 1 ] ||
    tarn_fail "mode $(field $LED_MODE), custom $(field $LED_CUSTOM) after the wheel"

# Preset 12 (the second row's sixth), breathing, and a click on the speed track at 4 of 1..5.
page_click 391 314
page_click 240 78
page_click 691 77
rest
apply_and_wait preset
grep -q " SET 01 0c 01 00 24 f8 " "$sim_log_unix" || tarn_fail "preset 12 was not sent"
grep -q " SET 01 0d 01 02 04 01 " "$sim_log_unix" ||
    tarn_fail "no breathing effect at speed 4: $(grep ' SET 01 0d ' "$sim_log_unix" | tail -1)"
[ "$(field $LED_MODE)" = 2 ] && [ "$(field $LED_SPEED2)" = 4 ] && [ "$(field $LED_CUSTOM)" = 0 ] &&
    [ "$(field $LED_PRESET)" = 12 ] || tarn_fail "Profile1.cfg does not hold preset 12 at speed 4"
page_shot english-preset

# A restart shows the page as it was left, pixel for pixel.
post 0x10 0 0 || tarn_fail "could not close the window"
tarn_wait_exit "$main" 15 || tarn_fail "the program did not end"
tarn_start --simulate
main=$TARN_LAST_PID
open_page
page_shot english-restarted
moved=$(compare -metric AE "$TARN_SHOTS/lighting_page-english-preset.png" \
    "$TARN_SHOTS/lighting_page-english-restarted.png" null: 2>&1 || true)
[ "${moved%% *}" = 0 ] || tarn_fail "after a restart $moved pixels of the page differ"
# The hint of the current colour's swatch.
xdotool mousemove --window "$win" $((15 + 183)) $((128 + 220))
sleep 1.5
screen_shot english-swatch-hint
tarn_stop_pid "$main" 5

# The Chinese skin and interface: the program folder with Chinese pictures and language.
zh=$TARN_SHOTS/lighting_page-chinese-program
rm -rf "$zh"
mkdir -p "$zh"
for entry in "$TARN_PROGRAM_DIR"/*; do
    case $(basename "$entry") in skins | Language.cfg) ;; *) ln -s "$entry" "$zh/" ;; esac
done
"$TARN_HOST_TOOLS/skin_renderer" --chinese --skins "$zh/skins" || tarn_fail "no Chinese skin"
printf '\001\000\000\000' >"$zh/Language.cfg"
tarn_fresh_data
TARN_PROGRAM_DIR=$zh tarn_start --simulate
main=$TARN_LAST_PID
open_page
page_shot chinese-spectrum
# Steady light in the Chinese layout (197,103)-(279,120), then hover the breathing button.
page_click 238 111
xdotool mousemove --window "$win" $((15 + 230)) $((128 + 77))
sleep 1.5
screen_shot chinese-steady
apply_and_wait chinese
grep -q " SET 01 0d 01 01 05 01 " "$sim_log_unix" ||
    tarn_fail "the Chinese layout's steady-light button did not reach the mouse"
tarn_stop_pid "$main" 5
rm -rf "$zh"
tarn_log "ok"
