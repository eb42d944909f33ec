#!/usr/bin/env bash
# Recording on the macro page end to end: a new macro is named, recorded by typing while the
# page records (A, a pause, B), and is found in Macro.cfg with its presses, releases and measured
# delays; forty keys typed at 20 a second (Tab and arrows among them) all reach the list and
# leave the page alone; a profile that binds the macro to the middle button uploads it as macro 1
# with the next OK, and the key matrix carries its word.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/helpers/macro_page.sh"
tarn_sim_log macro_record
tarn_fresh_data
data=$(tarn_data_unix)
start_program
tarn_shot empty >/dev/null

new_macro Jump
record_button
xdotool keydown a sleep 0.15 keyup a sleep 0.3 keydown b sleep 0.1 keyup b
sleep 0.5
rest_pointer
tarn_shot recording >/dev/null
record_button
sleep 0.8

[ "$(macros | wc -l)" = 1 ] || tarn_fail "Macro.cfg holds: $(macros)"
read -r slot id group loop count name <<<"$(macros)"
[ "$group" = 21 ] && [ "$name" = '"Jump"' ] || tarn_fail "stored as: $(macros)"
[ "$count" = 7 ] || tarn_fail "A, a pause, B gave $count events: $(slot_events "$slot" 12 | tr '\n' ' ')"
mapfile -t words < <(slot_events "$slot" 7)
kinds="${words[0]:0:2} ${words[1]:0:2} ${words[2]:0:2} ${words[3]:0:2} ${words[4]:0:2} ${words[5]:0:2} ${words[6]:0:2}"
[ "$kinds" = "c0 a0 e0 a0 c0 a0 e0" ] || tarn_fail "event kinds: $kinds"
[ "${words[0]}" = c0000041 ] && [ "${words[2]}" = e0000041 ] && [ "${words[4]}" = c0000042 ] &&
    [ "${words[6]}" = e0000042 ] || tarn_fail "keys: ${words[*]}"
# The pauses as the page measured them: about 150, 300 and 100 ms.
for k in 1 3 5; do
    ms=$((16#${words[$k]:2}))
    [ "$ms" -ge 40 ] && [ "$ms" -le 1500 ] || tarn_fail "delay $k is $ms ms"
done
tarn_log "recorded ${words[*]}"

# Twenty keys a second: every one reaches the list, in order. Tab and the arrow keys are among
# them: while the page records they must not move the focus or the macro selection.
new_macro Fast
record_button
keys=(a s d f g Tab h j k Down l q w Up e r t y u i o p z a s d f g h j k l q w e r t y u i)
codes=""
for key in "${keys[@]}"; do
    case $key in
    Tab) code=09 ;;
    Up) code=26 ;;
    Down) code=28 ;;
    *) code=$(printf '%02x' "'$(echo "$key" | tr a-z A-Z)") ;;
    esac
    codes+="c00000$code "
done
xdotool key --delay 50 "${keys[@]}"
sleep 0.8
record_button
sleep 0.8
fast_slot=$(macro_field Fast 1)
fast_count=$(macro_field Fast 5)
[ "$fast_count" = $((4 * ${#keys[@]} - 1)) ] || tarn_fail "40 keys at 20/s gave $fast_count events"
typed=$(slot_events "$fast_slot" "$fast_count" | awk 'substr($1,1,2) == "c0"' | tr '\n' ' ')
[ "$typed" = "$codes" ] || tarn_fail "presses out of order: $typed"
tarn_shot fast >/dev/null
stop_program

# Bound to the middle button of profile 1, the macro goes to the mouse with the next OK.
bind_macro 0 1 "$id"
start_program
tarn_click "$win" 100 103
tarn_click "$win" 900 610
tarn_wait_window NirelTarnProcessDlg 10 >/dev/null || tarn_fail "no progress window"
for _ in $(seq 60); do tarn_window_visible NirelTarnProcessDlg || break; sleep 0.25; done
tarn_window_visible NirelTarnProcessDlg && tarn_fail "the progress window stayed open"
sleep 0.5
grep -q ERROR "$sim_log_unix" && tarn_fail "protocol errors: $(grep ERROR "$sim_log_unix")"
# The block after the upload header of macro slot 1, as the encoder makes it from Macro.cfg.
block=$(sim_reports | awk '$2 == "SET" && $4 == "13" { on = ($5 == "01" && $6 == "01"); next }
    on && $2 == "OUT" { for (i = 4; i <= NF; ++i) printf "%s ", $i; n++; if (n == 16) exit }')
want_block=$("$TARNCTL" macro encode "$data/Macro.cfg" "$id" | sed -n 2p)
[ "$block" = "$want_block " ] || tarn_fail "uploaded block: $block
expected: $want_block"
entries=$("$TARNCTL" macro encode "$data/Macro.cfg" "$id" | head -1)
matrix=$(sim_reports | awk '$2 == "SET" && $4 == "12" { on = 1; next }
    on && $2 == "OUT" { for (i = 4; i <= NF; ++i) printf "%s ", $i; n++; if (n == 2) exit }')
# Slot 2 of the key matrix (the middle button): macro function 9, macro number 1, its entries.
word=$(echo "$matrix" | awk '{ print $9, $10, $11, $12 }')
[ "$word" = "09 00 01 $(printf '%02x' "$entries")" ] || tarn_fail "middle button word: $word"
want_words=$("$TARNCTL" keymatrix "$data/Profile/Profile1.cfg" --macros "$data/Macro.cfg" \
    --slots "$data/Profile/ConfigInfo.cfg")
got_words=$(echo "$matrix" | awk '{ for (i = 1; i <= NF; i += 4) printf "%s%s%s%s ", $(i+3), $(i+2), $(i+1), $i }')
[ "$got_words" = "$want_words " ] || tarn_fail "key matrix: $got_words
expected: $want_words"
tarn_log "macro block and key matrix word 09 00 01 $entries reached the mouse"
tarn_log "ok"
