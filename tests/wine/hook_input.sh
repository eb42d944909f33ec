#!/usr/bin/env bash
# Real input reaches the global hooks: an xdotool click, wheel notch and key press arrive at the
# hooks' target window as 0x7EB (and as 0x40A while forwarding is on), and a middle button that
# carries a software action is swallowed, reported, and runs its program.
. "$(dirname "$0")/lib.sh"
HELPERS=$(cd "$TARN_PROGRAM_DIR/.." && pwd)/wine-helpers
[ -f "$HELPERS/hook_probe.exe" ] || tarn_fail "hook_probe.exe is missing in $HELPERS"
LOG="$TARN_SHOTS/hook_input-probe.log"
MARKER="$HELPERS/action_marker.exe.ran"
rm -f "$LOG" "$MARKER"
winpath() { echo "Z:$1" | tr '/' '\\'; }

"$WINE_LOADER" "$HELPERS/hook_probe.exe" "$(winpath "$LOG")" "$(winpath "$HELPERS/action_marker.exe")" \
    >>"$TARN_SHOTS/$TARN_TEST_NAME.log" 2>&1 &
TARN_PIDS+=("$!")
win=$(tarn_wait_window "Tarn hook probe" 60) || tarn_fail "the probe window did not appear"
for _ in $(seq 40); do grep -q '^ready' "$LOG" 2>/dev/null && break; sleep 0.25; done
grep -q '^ready' "$LOG" || tarn_fail "the hooks were not installed: $(cat "$LOG" 2>/dev/null)"

# Waits until the log holds a line, or fails with what it holds.
expect_line() {  # pattern what
    for _ in $(seq 20); do grep -q "$1" "$LOG" && return 0; sleep 0.25; done
    tarn_fail "$2 (log: $(tr '\n' '|' <"$LOG"))"
}

tarn_click "$win" 60 60 1
expect_line '^7EB 201 0$' "a left click did not arrive as 0x7EB 0x201"
expect_line '^40A 202 0$' "the left release was not forwarded"

tarn_key "$win" a
expect_line '^7EB 1 0$' "a key press did not arrive as 0x7EB 1"
expect_line '^40A 41 0$' "the key press was not forwarded as 0x40A"
expect_line '^40A 41 80$' "the key release was not forwarded with its released flag"

tarn_click "$win" 60 60 4
expect_line '^7EB 20a01 0$' "a forward wheel notch did not arrive as 0x7EB 0x20A01"

tarn_click "$win" 60 60 2
expect_line '^7EB 207 0$' "the middle press was not reported"
for _ in $(seq 40); do [ -f "$MARKER" ] && break; sleep 0.25; done
[ -f "$MARKER" ] || tarn_fail "the middle button's software action did not run"
# Swallowed: neither the press nor its release went on to the forwarding.
grep -q '^40A 207 ' "$LOG" && tarn_fail "the swallowed middle press was forwarded"
grep -q '^40A 208 ' "$LOG" && tarn_fail "the swallowed middle release was forwarded"

tarn_shot probe "$win" >/dev/null
tarn_log "ok"
