# Helpers of the macro page's Wine tests; source after lib.sh. Points are page pixels of the
# English layout (the page sits at 15,128 in the main window); the files are read with the
# native tarnctl and od.
TITLE="Nirel Tarn Gaming Mouse Driver"
TARNCTL="$TARN_HOST_TOOLS/tarnctl"
[ -x "$TARNCTL" ] || tarn_fail "no native tarnctl in $TARN_HOST_TOOLS"

# Clicks a page point (the page's own pixels).
page_click() {  # x y
    tarn_click "$win" $(($1 + 15)) $(($2 + 128))
}
page_double_click() {  # x y
    xdotool mousemove --window "$win" $(($1 + 15)) $(($2 + 128)) sleep 0.1 click --repeat 2 \
        --delay 80 1
    sleep 0.4
}
# Moves the pointer off the controls, so no tooltip or hover look shows in a screenshot.
rest_pointer() {
    xdotool mousemove --window "$win" 600 590
    sleep 0.6
}

start_program() {  # [program folder]
    TARN_PROGRAM_DIR=${1:-$TARN_PROGRAM_DIR} tarn_start --simulate
    prog=$TARN_LAST_PID
    win=$(tarn_wait_window "$TITLE" 60) || tarn_fail "the main window did not appear"
    sleep 1
    tarn_click "$win" 470 103  # the macro tab
    sleep 0.5
}
stop_program() {
    tarn_stop_pid "$prog" 5
    tarn_wait_exit "$prog" 10 || tarn_fail "the program did not end"
}

new_macro() {  # name
    page_click 46 426
    sleep 0.3
    xdotool type --delay 40 "$1"
    xdotool key Return
    sleep 0.5
}
record_button() { page_click 841 37; }
macro_row() {  # index: clicks the row of the macro list
    page_click 120 $((89 + 18 * $1 + 9))
}

# One line per stored macro: slot id group loop events "name".
macros() { "$TARNCTL" macro list "$data/Macro.cfg"; }
macro_field() {  # name field(1-based): the field of the macro with that name
    macros | awk -v n="\"$1\"" -v f="$2" '$6 == n { print $f }'
}
# The event words of a slot, in hex, one a line.
slot_events() {  # slot count
    od -An -v -tx4 -j $(($1 * 4104 + 24)) -N $(($2 * 4)) "$data/Macro.cfg" | tr -s ' ' '\n' |
        sed '/^$/d'
}

# The simulated mouse's log without the line ends the Windows side writes.
sim_reports() { tr -d '\r' <"$sim_log_unix"; }

# Writes a 32-bit little-endian number into a file at an offset.
put_u32() {  # file offset value
    local v=$3
    printf "$(printf '\\x%02x\\x%02x\\x%02x\\x%02x' $((v & 255)) $((v >> 8 & 255)) \
        $((v >> 16 & 255)) $((v >> 24 & 255)))" |
        dd of="$1" bs=1 seek="$2" conv=notrunc status=none
}
# Binds a macro to button b of profile slot s: the slot table's binding, and, for the current
# profile file, the macro function with the macro's id.
bind_macro() {  # slot button id
    put_u32 "$data/Profile/ConfigInfo.cfg" $(($1 * 1600 + 0x624 + $2 * 4)) "$3"
    local profile="$data/Profile/Profile$(($1 + 1)).cfg"
    put_u32 "$profile" $((4 + $2 * 3148)) 6
    put_u32 "$profile" $((8 + $2 * 3148)) "$3"
}
