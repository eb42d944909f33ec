# Helpers of the Wine tests of the support page, the firmware update and device presence.
# Source it after lib.sh.

TITLE="Nirel Tarn Gaming Mouse Driver"
INFO=NirelTarnInfoDlg
HELPERS=$(cd "$TARN_PROGRAM_DIR/.." && pwd)/wine-helpers
PROBES=$(cd "$TARN_PROGRAM_DIR/.." && pwd)/probes
# Window points: the support tab, the page's buttons (page at 15,128), the box's buttons.
SUPPORT_TAB="850 103"
UPDATE_BUTTON="477 406"
RESTORE_BUTTON="844 530"
BOX_OK_ALONE="273 143"
BOX_OK="211 143"
BOX_CANCEL="278 143"

# A program folder of the test's own: the program and its files linked in, the stand-in
# flashing program in FWUpdate, and with "chinese" the Chinese skin and language 1.
tarn_private_program() {  # folder [chinese]
    local dir=$1 entry name
    rm -rf "$dir"
    mkdir -p "$dir/FWUpdate"
    for entry in "$TARN_PROGRAM_DIR"/*; do
        name=$(basename "$entry")
        case "$name" in
        FWUpdate | TarnDriver.exe) ;;
        skins | Language.cfg) [ "${2:-}" = chinese ] || ln -s "$entry" "$dir/$name" ;;
        *) ln -s "$entry" "$dir/$name" ;;
        esac
    done
    # The program folder is the executable's own, so the executable is a real copy.
    cp "$TARN_PROGRAM_DIR/TarnDriver.exe" "$dir/"
    cp "$HELPERS/flash_tool_stand_in.exe" "$dir/FWUpdate/ZezovoRO.exe"
    if [ "${2:-}" = chinese ]; then
        "$TARN_HOST_TOOLS/skin_renderer" --skins "$dir/skins" --chinese >/dev/null ||
            tarn_fail "the Chinese skin could not be painted"
        printf '\001\000\000\000' >"$dir/Language.cfg"
    fi
    TARN_PROGRAM_DIR=$dir
}

# The update server on 127.0.0.1 serving a folder; sets SERVER_URL, SERVER_LOG, SERVED.
tarn_update_server() {  # folder
    SERVED=$1
    rm -rf "$SERVED"
    mkdir -p "$SERVED"
    SERVER_LOG="$SERVED.requests"
    : >"$SERVER_LOG"
    rm -f "$SERVED.port"
    python3 "$(dirname "${BASH_SOURCE[0]}")/update_server.py" "$SERVED" "$SERVED.port" \
        "$SERVER_LOG" >>"$TARN_SHOTS/$TARN_TEST_NAME.log" 2>&1 &
    TARN_PIDS+=("$!")
    for _ in $(seq 50); do [ -s "$SERVED.port" ] && break; sleep 0.1; done
    [ -s "$SERVED.port" ] || tarn_fail "the update server did not start"
    SERVER_URL="http://127.0.0.1:$(cat "$SERVED.port")"
    # Wine's web client would take a proxy from the environment, even for 127.0.0.1.
    unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY
    export TARN_UPDATE_MANIFEST="$SERVER_URL/software/Tarn/update.xml"
    mkdir -p "$SERVED/software/Tarn"
}

# The manifest the server gives: current number, image path, optional digest.
tarn_manifest() {  # current image [sha256]
    local sha=""
    [ -n "${3:-}" ] && sha="<sha256>$3</sha256>"
    printf '<?xml version="1.0" encoding="utf-8"?>\n<update><firmware><current>%s</current><newfile>%s</newfile>%s</firmware></update>\n' \
        "$1" "$SERVER_URL$2" "$sha" >"$SERVED/software/Tarn/update.xml"
}

tarn_requests() {  # path: how often the server was asked for it
    grep -c "^$1\$" "$SERVER_LOG"
}

# Whether that box window (or, without one, any box) is gone; a box that follows at once is
# a window of its own.
tarn_box_gone() {  # seconds [box]
    for _ in $(seq 0 $((${1:-5} * 10))); do
        if [ -n "${2:-}" ]; then
            xdotool search --onlyvisible --name "^$INFO\$" 2>/dev/null | grep -qx "$2" || return 0
        else
            tarn_window_visible "$INFO" || return 0
        fi
        sleep 0.1
    done
    return 1
}

# The question box has OK beside Cancel; the information box has its one OK further right, so
# a click where the question's OK sits leaves an information box open.
tarn_answer_question() {  # box
    # shellcheck disable=SC2086
    tarn_click "$1" $BOX_OK
    tarn_box_gone 3 "$1" || tarn_fail "the box was not a question"
}
tarn_close_information() {  # box
    # shellcheck disable=SC2086
    tarn_click "$1" $BOX_OK
    sleep 0.3
    tarn_box_gone 0 "$1" && tarn_fail "the box was a question, not an information"
    # shellcheck disable=SC2086
    tarn_click "$1" $BOX_OK_ALONE
    tarn_box_gone 3 "$1" || tarn_fail "the information box did not close"
}

tarn_open_support_page() {  # window
    # shellcheck disable=SC2086
    tarn_click "$1" $SUPPORT_TAB
    sleep 0.5
    # Away from every control, so no hover look or tooltip is in the pictures.
    xdotool mousemove --window "$1" 600 170
    sleep 0.3
}

tarn_click_update() {  # window
    # shellcheck disable=SC2086
    tarn_click "$1" $UPDATE_BUTTON
    xdotool mousemove --window "$1" 600 170
}
