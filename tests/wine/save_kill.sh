#!/usr/bin/env bash
# TarnDriver.exe killed while it saves, for the two saves users make most: the profile after an
# OK (killed around the moment the apply ends and the files are written) and Macro.cfg while the
# loop field commits a macro on every key. After each kill Profile1.cfg and ConfigInfo.cfg hold
# their old or their new bytes, Macro.cfg a whole store in which only the loop count of the
# edited macro moved, and the next start opens without a message.
#   TARN_KILL_ROUNDS (default 3) kills of each kind.
. "$(dirname "$0")/lib.sh"
TITLE="Nirel Tarn Gaming Mouse Driver"
INFO=NirelTarnInfoDlg
ROUNDS=${TARN_KILL_ROUNDS:-3}
PX=15 PY=128
tarn_sim_log save_kill
data=$(tarn_data_unix)
profile="$data/Profile/Profile1.cfg"
table="$data/Profile/ConfigInfo.cfg"
keep="$TARN_SHOTS/save_kill-files"
rm -rf "$keep"
mkdir -p "$keep"

start() {
    tarn_start --simulate
    prog=$TARN_LAST_PID
    win=$(tarn_wait_window "$TITLE" 60) || tarn_fail "the main window did not appear"
    sleep 1
    tarn_window_visible "$INFO" && tarn_fail "a message at start-up after a kill"
    return 0
}
kill_program() {
    kill -KILL "$prog" 2>/dev/null
    tarn_wait_exit "$prog" 10 || tarn_fail "the killed program did not end"
    # The single-instance mutex and the window go with the process; a new start must not find them.
    for _ in $(seq 40); do tarn_window_visible "$TITLE" || return 0; sleep 0.25; done
    tarn_fail "the main window outlived its killed process"
}
same() { cmp -s "$1" "$2"; }
# Waits, without sleeping, until one of the files' temporary twin exists (at most 15 s).
until_written() {  # file...
    local end=$((SECONDS + 15)) f
    while [ $SECONDS -lt $end ]; do
        for f in "$@"; do [ -e "$f.tmp" ] && return 0; done
    done
    return 1
}
# Whether a kill left a temporary file, that is, came inside a write. The next save would write
# over it; it goes now so the next round tells afresh.
inside_write() {  # file...
    local f found=1
    for f in "$@"; do
        if [ -e "$f.tmp" ]; then
            found=0
            rm -f "$f.tmp"
        fi
    done
    return $found
}
rate_button() {  # index 0 (125 Hz) .. 2 (1000 Hz)
    local x=(93 162 231)
    tarn_click "$win" $((PX + ${x[$1]})) $((PY + 310))
}
wait_progress_gone() {
    for _ in $(seq 80); do tarn_window_visible NirelTarnProcessDlg || return 0; sleep 0.25; done
    tarn_fail "the progress window stayed open"
}

# ---- The profile: a complete OK first gives the new bytes of both files.
tarn_fresh_data
start
cp "$profile" "$keep/profile-1000Hz"
cp "$table" "$keep/table-installed"
rate_button 0
tarn_click "$win" 900 610
wait_progress_gone
sleep 1
cp "$profile" "$keep/profile-125Hz"
cp "$table" "$keep/table-saved"
same "$keep/profile-1000Hz" "$keep/profile-125Hz" && tarn_fail "the OK did not change Profile1.cfg"
kill_program

interrupted=0 moved=0
for round in $(seq "$ROUNDS"); do
    start
    before=$(md5sum <"$profile")
    # Back and forth between the two rates, so the old and the new file always differ.
    if same "$profile" "$keep/profile-125Hz"; then rate_button 2; else rate_button 0; fi
    tarn_click "$win" 900 610
    if [ $((round % 2)) -eq 0 ]; then
        # The moment a temporary file of the save appears: inside its write.
        until_written "$profile" "$table"
        when="as the save began"
    else
        # The report interval is the apply's last command; the files are written about 300 ms
        # later. These kills are spread from 220 ms before that to 280 ms after.
        for _ in $(seq 200); do
            grep -q " SET 01 01 0[18] " "$sim_log_unix" 2>/dev/null && break
            sleep 0.02
        done
        ms=$(((round * 197 + RANDOM % 50) % 500 + 80))
        sleep "$((ms / 1000)).$(printf '%03d' $((ms % 1000)))"
        when="$ms ms after the last command"
    fi
    kill_program
    inside_write "$profile" "$table" && interrupted=$((interrupted + 1))
    { same "$profile" "$keep/profile-125Hz" || same "$profile" "$keep/profile-1000Hz"; } ||
        { cp "$profile" "$keep/profile-broken-$round"; tarn_fail "Profile1.cfg is a mix after kill $round"; }
    { same "$table" "$keep/table-saved" || same "$table" "$keep/table-installed"; } ||
        { cp "$table" "$keep/table-broken-$round"; tarn_fail "ConfigInfo.cfg is a mix after kill $round"; }
    if [ "$(md5sum <"$profile")" = "$before" ]; then
        tarn_log "kill $round, $when: the old profile"
    else
        moved=$((moved + 1))
        tarn_log "kill $round, $when: the new profile"
    fi
done
tarn_log "profile: $ROUNDS kills during an OK ($moved after the save, $interrupted inside it), files whole"

# ---- Macro.cfg: one macro of the user's group, its loop count edited key by key.
check_macros() {  # round
    python3 - "$data/Macro.cfg" "$keep/macros-seed" <<'EOF' || return 1
import struct, sys
now, seed = (open(p, 'rb').read() for p in sys.argv[1:3])
if len(now) != 2052000:
    sys.exit(f"Macro.cfg is {len(now)} bytes")
# Only the loop count of slot 0 (offset 16) may differ from the seed.
if now[:16] != seed[:16] or now[20:] != seed[20:]:
    sys.exit("Macro.cfg differs outside the edited loop count")
loop = struct.unpack_from('<I', now, 16)[0]
if not 1 <= loop <= 65533:
    sys.exit(f"loop count {loop}")
EOF
}
python3 - "$data/Macro.cfg" <<'EOF'
import struct, sys
record = bytearray(4104)
name = "Burst".encode('utf-16-le')
struct.pack_into('<6I', record, 0, 4108, 0xE8E80010, 0x15000321, 0, 1, 2)
struct.pack_into('<2I', record, 24, 0xC0000041, 0xE0000041)
record[4024:4024 + len(name)] = name
with open(sys.argv[1], 'r+b') as f:
    f.write(record)
EOF
cp "$data/Macro.cfg" "$keep/macros-seed"
interrupted=0 loops=""
for round in $(seq "$ROUNDS"); do
    start
    tarn_click "$win" 470 103  # the macro page lists the user's group with Burst selected
    sleep 0.5
    tarn_click "$win" $((PX + 872)) $((PY + 94))  # the loop field
    # Every key changes the text and commits the macro: a save of the whole store each time.
    xdotool key --delay 120 End 5 BackSpace 7 BackSpace 3 BackSpace 9 BackSpace 2 BackSpace &
    keys=$!
    if [ $((round % 2)) -eq 0 ]; then
        until_written "$data/Macro.cfg"
    else
        sleep "$((RANDOM % 2)).$(printf '%03d' $((RANDOM % 1000)))"
    fi
    kill_program
    wait "$keys" 2>/dev/null
    inside_write "$data/Macro.cfg" && interrupted=$((interrupted + 1))
    reason=$(check_macros 2>&1) ||
        { cp "$data/Macro.cfg" "$keep/macros-broken-$round"; tarn_fail "after kill $round: $reason"; }
    loops="$loops $(od -An -tu4 -j16 -N4 "$data/Macro.cfg" | tr -d ' ')"
done
start
tarn_stop_pid "$prog" 5
grep -q ERROR "$sim_log_unix" && tarn_fail "protocol errors: $(grep ERROR "$sim_log_unix" | head -3)"
tarn_log "Macro.cfg: $ROUNDS kills while editing, $interrupted inside a write, the store whole" \
    "(loop count after each kill:$loops)"
tarn_log "ok"
