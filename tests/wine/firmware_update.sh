#!/usr/bin/env bash
# The firmware update check against a local update server, with the simulated mouse at 15:
# "current" 15 says latest; an answer after 3 s gives "latest" after 2 s and is dropped; a
# second click during a check asks nothing more; with 16 the question comes, and a missing
# image, a cut-off image or one with the wrong digest only tell that the download failed and
# start nothing; a missing flashing program is told; a whole image that matches goes to the
# flashing program with "0" and the program ends. Then a server that never answers cannot hold the program open.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/helpers/support_lib.sh"
tarn_sim_log firmware_update
tarn_private_program "$TARN_SHOTS/../firmware-update-program"
tarn_update_server "$TARN_SHOTS/../firmware-update-served"
ARGS="$TARN_PROGRAM_DIR/FWUpdate/ZezovoRO.exe.args"
NEW="$TARN_PROGRAM_DIR/FWUpdate/new_version"
MANIFEST=/software/Tarn/update.xml
ms() { date +%s%3N; }

tarn_fresh_data
tarn_start --simulate
pid=$TARN_LAST_PID
win=$(tarn_wait_window "$TITLE" 60) || tarn_fail "the main window did not appear"
sleep 1
tarn_open_support_page "$win"

# 15 against 15: latest.
tarn_manifest 15 /image.bin
tarn_click_update "$win"
box=$(tarn_wait_window "$INFO" 10) || tarn_fail "no box for a manifest at 15"
sleep 0.3
tarn_shot latest >/dev/null
tarn_close_information "$box"
[ "$(tarn_requests $MANIFEST)" = 1 ] || tarn_fail "the manifest was asked $(tarn_requests $MANIFEST) times"

# An answer after 3 s: "latest" after 2 s, and the late 16 asks nothing.
tarn_manifest 16 /image.bin
echo 3 >"$SERVED$MANIFEST.delay"
start=$(ms)
tarn_click_update "$win"
box=$(tarn_wait_window "$INFO" 10) || tarn_fail "no box for a slow check"
took=$(($(ms) - start))
[ "$took" -ge 1800 ] && [ "$took" -le 2900 ] || tarn_fail "the slow check answered after $took ms"
tarn_close_information "$box"
sleep 2
tarn_window_visible "$INFO" && tarn_fail "the late answer was not dropped"
rm -f "$SERVED$MANIFEST.delay" "$NEW/update.xml"

# A second click while a check is under way does nothing.
tarn_manifest 15 /image.bin
echo 1 >"$SERVED$MANIFEST.delay"
before=$(tarn_requests $MANIFEST)
tarn_click_update "$win"
tarn_click_update "$win"
box=$(tarn_wait_window "$INFO" 10) || tarn_fail "no box after two clicks"
tarn_close_information "$box"
sleep 0.5
tarn_window_visible "$INFO" && tarn_fail "the second click made a second box"
[ "$(tarn_requests $MANIFEST)" = $((before + 1)) ] || tarn_fail "the second click asked again"
rm -f "$SERVED$MANIFEST.delay"

# 16, then OK, for an image that cannot be had: the download failed, nothing starts.
fails_with() {  # what image [sha256]
    rm -f "$NEW/update.xml"
    tarn_manifest 16 "$2" "${3:-}"
    tarn_click_update "$win"
    box=$(tarn_wait_window "$INFO" 10) || tarn_fail "no question ($1)"
    sleep 0.3
    tarn_shot "question-$1" >/dev/null
    tarn_answer_question "$box"
    box=$(tarn_wait_window "$INFO" 15) || tarn_fail "no box after the download ($1)"
    sleep 0.3
    tarn_shot "download-failed-$1" >/dev/null
    tarn_close_information "$box"
    [ "$(tarn_requests "$2")" -ge 1 ] || tarn_fail "the image was not asked for ($1)"
    [ -e "$ARGS" ] && tarn_fail "the flashing program started ($1)"
    [ -e "$NEW/NirelGameDevice.bin" ] && tarn_fail "an image was kept ($1)"
    [ -e "$NEW/NirelGameDevice.bin.part" ] && tarn_fail "a partial image was left ($1)"
    kill -0 "$pid" 2>/dev/null || tarn_fail "the program ended ($1)"
}
head -c 65536 /dev/urandom >"$SERVED/image.bin"
sha=$(sha256sum "$SERVED/image.bin" | cut -d' ' -f1)
fails_with missing /missing.bin
cp "$SERVED/image.bin" "$SERVED/cut.bin"
echo 20000 >"$SERVED/cut.bin.cut"
fails_with cut /cut.bin
fails_with wrong-hash /image.bin "$(echo "$sha" | tr 0-9a-f 1-9a-f0)"

# A whole image that matches, but the flashing program is missing: that is told, and the
# program stays.
rm -f "$NEW/update.xml"
tarn_manifest 16 /image.bin "$sha"
mv "$TARN_PROGRAM_DIR/FWUpdate/ZezovoRO.exe" "$TARN_PROGRAM_DIR/FWUpdate/ZezovoRO.away"
tarn_click_update "$win"
box=$(tarn_wait_window "$INFO" 10) || tarn_fail "no question for the good image"
tarn_answer_question "$box"
box=$(tarn_wait_window "$INFO" 15) || tarn_fail "no box for the missing flashing program"
sleep 0.3
tarn_shot tool-missing >/dev/null
tarn_close_information "$box"
kill -0 "$pid" 2>/dev/null || tarn_fail "the program ended without a flashing program"
cmp -s "$SERVED/image.bin" "$NEW/NirelGameDevice.bin" || tarn_fail "the image on disk is not the served one"

# With it back, the manifest kept from that check is newer than the mouse: the question comes
# at once, the image on disk is used as it is, the flashing program gets "0" and this
# program ends.
mv "$TARN_PROGRAM_DIR/FWUpdate/ZezovoRO.away" "$TARN_PROGRAM_DIR/FWUpdate/ZezovoRO.exe"
manifests=$(tarn_requests $MANIFEST) images=$(tarn_requests /image.bin)
tarn_click_update "$win"
box=$(tarn_wait_window "$INFO" 10) || tarn_fail "no question from the kept manifest"
tarn_answer_question "$box"
for _ in $(seq 100); do [ -e "$ARGS" ] && break; sleep 0.1; done
[ "$(cat "$ARGS" 2>/dev/null)" = 0 ] || tarn_fail "the flashing program got '$(cat "$ARGS" 2>/dev/null)'"
[ "$(tarn_requests $MANIFEST)" = "$manifests" ] && [ "$(tarn_requests /image.bin)" = "$images" ] ||
    tarn_fail "the kept manifest and image were fetched again"
tarn_wait_exit "$pid" 10 || tarn_fail "the program did not end for the flash"
grep -q ERROR "$sim_log_unix" && tarn_fail "protocol errors: $(grep ERROR "$sim_log_unix")"
tarn_log "update check ok"

# A server that takes the request and never answers: "latest" after 2 s, and closing the
# program still ends it within a few seconds.
rm -f "$NEW/update.xml" "$ARGS"
echo 600 >"$SERVED$MANIFEST.delay"
tarn_start --simulate
pid=$TARN_LAST_PID
win=$(tarn_wait_window "$TITLE" 60) || tarn_fail "the main window did not come back"
sleep 1
tarn_open_support_page "$win"
tarn_click_update "$win"
box=$(tarn_wait_window "$INFO" 10) || tarn_fail "no box for a server that never answers"
tarn_close_information "$box"
"$WINE_LOADER" "$PROBES/post_message.exe" "$TITLE" 0x10 0 0 || tarn_fail "WM_CLOSE not posted"
start=$(ms)
tarn_wait_exit "$pid" 10 || tarn_fail "the program hung on the download at shut-down"
took=$(($(ms) - start))
# A plain close takes about 4 s under Wine (the tray icon and the process end).
[ "$took" -le 6000 ] || tarn_fail "the shut-down took $took ms"
tarn_log "shut-down during a download ok ($took ms)"
