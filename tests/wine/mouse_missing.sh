#!/usr/bin/env bash
# Without --simulate and without a mouse the program says so in the self-closing box and ends
# by itself.
. "$(dirname "$0")/lib.sh"
tarn_start
pid=$TARN_LAST_PID
tarn_wait_window NirelTarnInfoDlg 60 >/dev/null || tarn_fail "the box did not appear"
sleep 0.5
tarn_shot box >/dev/null
tarn_window_visible "Nirel Tarn Gaming Mouse Driver" && tarn_fail "the main window showed"
tarn_wait_exit "$pid" 20 || tarn_fail "the process did not end by itself"
tarn_log "ok"
