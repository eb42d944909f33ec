#!/usr/bin/env bash
# MenuEx.dll is found by name beside the program, shows its items at the given point, reports a
# clicked item with 0x501 and the item's id, and DestroyMenuEx closes a menu without reporting.
. "$(dirname "$0")/lib.sh"
probe_dir="$TARN_PROGRAM_DIR/../probes"
[ -f "$probe_dir/menuex_probe.exe" ] || tarn_fail "menuex_probe.exe was not built"
result_unix="$TARN_SHOTS/menu_ex_library.result"
rm -f "$result_unix"

"$WINE_LOADER" "$probe_dir/menuex_probe.exe" "$(tarn_win_path "$(cd "$TARN_PROGRAM_DIR" && pwd)")" \
    "$(tarn_win_path "$result_unix")" >>"$TARN_SHOTS/$TARN_TEST_NAME.log" 2>&1 &
probe=$!
TARN_PIDS+=("$probe")

menu=$(tarn_wait_window TarnMenuEx 30) || tarn_fail "the menu did not appear"
eval "$(xdotool getwindowgeometry --shell "$menu")"
[ "$X" -eq 150 ] && [ "$Y" -eq 150 ] || tarn_fail "menu at $X,$Y instead of 150,150"
# Three top-level items of 24 pixels; the child item is not listed.
[ "$HEIGHT" -eq 72 ] || tarn_fail "menu height $HEIGHT, expected 72"
xdotool mousemove --window "$menu" 30 36
sleep 0.4
tarn_shot hover-beta >/dev/null
tarn_click "$menu" 30 36
tarn_wait_exit "$probe" 20 || tarn_fail "the probe did not finish"
expected=$'loaded\ndestroy-none\nopen\nchosen 102\nclosed\nquiet'
actual=$(tr -d '\r' <"$result_unix")
[ "$actual" = "$expected" ] || tarn_fail "probe reported: $actual"
tarn_log "ok"
