#!/usr/bin/env bash
# Messages the pages will send: 0x805 shows a hint by id and an id without a key empties the
# line; 0x806 restores the defaults and applies them, also from a page where OK is disabled.
. "$(dirname "$0")/lib.sh"
TITLE="Nirel Tarn Gaming Mouse Driver"
post() { "$WINE_LOADER" "$TARN_PROGRAM_DIR/../probes/post_message.exe" "$TITLE" "$@" 2>/dev/null; }
tarn_sim_log hints_and_defaults

tarn_fresh_data
data=$(tarn_data_unix)
tarn_start --simulate
win=$(tarn_wait_window "$TITLE" 60) || tarn_fail "the main window did not appear"
sleep 1
hint() { import -window "$win" -crop 233x30+67+598 "$TARN_SHOTS/hints_and_defaults-$1.png"; }
differs() {
    local n
    n=$(compare -metric AE "$TARN_SHOTS/hints_and_defaults-$1.png" \
        "$TARN_SHOTS/hints_and_defaults-$2.png" null: 2>&1 || true)
    [ "${n%% *}" -gt 20 ] 2>/dev/null
}
hint empty
post 0x805 0 4 || tarn_fail "could not post the hint"
sleep 0.5
hint statistics
differs empty statistics || tarn_fail "hint 4 showed nothing"
post 0x805 0 33
sleep 0.5
hint cleared
differs empty cleared && tarn_fail "hint 33 did not empty the line"

# On the statistics page the OK button is disabled; restoring the defaults still applies.
tarn_click "$win" 660 103
sleep 0.5
sets_before=$(grep -c " SET 01 12 " "$sim_log_unix" 2>/dev/null || true)
sets_before=${sets_before:-0}
saved=$(stat -c %y "$data/Profile/Profile1.cfg")
sleep 1
post 0x806 0 0
tarn_wait_window NirelTarnProcessDlg 10 >/dev/null || tarn_fail "no apply after restoring defaults"
for _ in $(seq 60); do tarn_window_visible NirelTarnProcessDlg || break; sleep 0.25; done
sleep 0.5
[ "$(grep -c " SET 01 12 " "$sim_log_unix")" -gt "$sets_before" ] || tarn_fail "no key matrix sent"
[ "$(stat -c %y "$data/Profile/Profile1.cfg")" != "$saved" ] || tarn_fail "defaults not saved"
tarn_log "ok"
