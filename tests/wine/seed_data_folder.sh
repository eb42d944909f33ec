#!/usr/bin/env bash
# A first start with no data folder fills it with the program folder's default files, byte for
# byte, and a second start leaves a file the user changed alone.
. "$(dirname "$0")/lib.sh"
TITLE="Nirel Tarn Gaming Mouse Driver"
FILES="Macro.cfg Language.cfg Sts.cfg Profile/ConfigInfo.cfg Profile/Profile1.cfg
       Profile/Profile2.cfg Profile/Profile3.cfg Profile/Profile4.cfg Profile/Profile5.cfg"

for f in $FILES; do
    [ -f "$TARN_PROGRAM_DIR/$f" ] || tarn_fail "the program folder lacks $f"
done

tarn_fresh_data
data=$(tarn_data_unix)
[ -e "$data" ] && tarn_fail "the data folder was not removed"
tarn_start --simulate
pid=$TARN_LAST_PID
tarn_wait_window "$TITLE" 60 >/dev/null || tarn_fail "the main window did not appear"
for f in $FILES; do
    cmp -s "$TARN_PROGRAM_DIR/$f" "$data/$f" || tarn_fail "$f was not seeded byte for byte"
done
tarn_log "seeded $(echo $FILES | wc -w) files"
tarn_stop_pid "$pid" 5

# The folder exists now: nothing is copied over what the user has.
printf '\001\000\000\000' >"$data/Language.cfg"
tarn_start --simulate
pid=$TARN_LAST_PID
tarn_wait_window "$TITLE" 60 >/dev/null || tarn_fail "the main window did not appear again"
[ "$(od -An -tx1 "$data/Language.cfg" | tr -d ' \n')" = "01000000" ] ||
    tarn_fail "a second start overwrote Language.cfg"
tarn_stop_pid "$pid" 5
tarn_log "ok"
