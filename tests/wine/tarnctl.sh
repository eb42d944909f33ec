#!/usr/bin/env bash
# tarnctl.exe from the program folder, as a console program under Wine: the key matrix of the
# shipped default profile, an apply against the simulated mouse, and a wrong command line.
. "$(dirname "$0")/lib.sh"
exe="$TARN_PROGRAM_DIR/tarnctl.exe"
[ -f "$exe" ] || tarn_fail "tarnctl.exe is not in the program folder"
win() { echo "Z:${1//\//\\}"; }
out="$TARN_SHOTS/tarnctl"
mkdir -p "$out"
ctl() { timeout 60 env -u TARN_SIM_LOG -u TARN_SIM_FAIL "$WINE_LOADER" "$exe" "$@"; }

words=$(ctl keymatrix "$(win "$TARN_PROGRAM_DIR/Profile/Profile1.cfg")" | tr -d '\r')
want="00f00001 00f10001 00f20001 00030007 00f30001 00f40001 00000000 00000000 00000000 00000000 00000000 00000000 00000000 00000000 00010004 00020004"
[ "$words" = "$want" ] || tarn_fail "key matrix: $words"

rm -f "$out/sim.log"
ctl apply "$(win "$TARN_PROGRAM_DIR/Profile/Profile1.cfg")" --simulate \
    --log "$(win "$out/sim.log")" >"$out/apply.txt" 2>&1 || tarn_fail "apply: $(cat "$out/apply.txt")"
grep -q '^applied' "$out/apply.txt" || tarn_fail "apply printed: $(cat "$out/apply.txt")"
order=$(awk '$2 == "SET" { printf "%s ", $4 }' "$out/sim.log")
[ "$order" = "12 0c 0d 11 0b 01 " ] || tarn_fail "command order: $order"
grep -q ' ERROR ' "$out/sim.log" && tarn_fail "protocol errors: $(grep ' ERROR ' "$out/sim.log")"

ctl profile show --nonsense >/dev/null 2>&1
status=$?
[ "$status" = 64 ] || tarn_fail "a wrong command line gave status $status"
tarn_log "ok"
