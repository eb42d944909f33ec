# Helpers for the tests that drive the real program under Wine. Source it from a test script:
#   . "$(dirname "$0")/lib.sh"
# Needs TARN_WINE_SESSION (folder of a started wine_session.sh) and TARN_PROGRAM_DIR.
# Every process a test starts is recorded and stopped by its PID when the test ends.
set -u
: "${TARN_WINE_SESSION:?}" "${TARN_PROGRAM_DIR:?}"
# shellcheck disable=SC1091
. "$TARN_WINE_SESSION/env.sh"
TARN_SHOTS=${TARN_SHOTS:-$TARN_WINE_SESSION/../screenshots}
mkdir -p "$TARN_SHOTS"
TARN_TEST_NAME=${TARN_TEST_NAME:-$(basename "$0" .sh)}
TARN_PIDS=()

tarn_log() { echo "[$TARN_TEST_NAME] $*"; }
tarn_fail() {
    echo "[$TARN_TEST_NAME] FAIL: $*" >&2
    tarn_shot "failure" >/dev/null 2>&1
    exit 1
}

# shellcheck disable=SC1091
. "$(dirname "${BASH_SOURCE[0]}")/../../scripts/processes.sh"

tarn_cleanup() {
    local pid
    for pid in "${TARN_PIDS[@]}"; do tarn_stop_pid "$pid" 5; done
    # Windows processes that outlived their loader (none should) go with the prefix's server.
    if [ "${#TARN_PIDS[@]}" -gt 0 ]; then
        WINEPREFIX="$WINEPREFIX" timeout 10 "$WINESERVER_BIN" -w 2>/dev/null || true
    fi
}
trap tarn_cleanup EXIT

# The Windows path of the temporary folder of the prefix, and its Unix twin.
tarn_temp_unix() {
    local t
    # Wine 8 keeps it in the profile itself (users\<name>\Temp), older ones under AppData.
    t=$(find "$WINEPREFIX/drive_c/users" -maxdepth 4 -type d \
        \( -path '*AppData/Local/Temp' -o -path '*/users/*/Temp' \) | head -1)
    [ -n "$t" ] || t="$WINEPREFIX/drive_c/windows/temp"
    echo "$t"
}
tarn_data_unix() { echo "$(tarn_temp_unix)/NIREL/Tarn"; }
# A Unix path as the Windows programs see it (drive Z: is the root).
tarn_win_path() { echo "Z:$(echo "$1" | sed 's|/|\\|g')"; }
# The simulated mouse logs into the screenshots folder as NAME.sim.log (sim_log_unix).
tarn_sim_log() {  # name
    sim_log_unix="$TARN_SHOTS/$1.sim.log"
    rm -f "$sim_log_unix"
    TARN_SIM_LOG=$(tarn_win_path "$sim_log_unix")
    export TARN_SIM_LOG
}
# Starts from a data folder that does not exist yet, as on a first start.
tarn_fresh_data() { rm -rf "$(tarn_data_unix)"; }

# Starts the program with the given arguments; prints its PID and records it.
tarn_start() {
    "$WINE_LOADER" "$TARN_PROGRAM_DIR/TarnDriver.exe" "$@" >>"$TARN_SHOTS/$TARN_TEST_NAME.log" 2>&1 &
    local pid=$!
    TARN_PIDS+=("$pid")
    TARN_LAST_PID=$pid
}

# Waits for a visible window with the exact title; prints its X id.
tarn_wait_window() {  # title [seconds]
    local title=$1 wait=${2:-30} id
    for _ in $(seq $((wait * 4))); do
        id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -1)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.25
    done
    return 1
}

tarn_window_visible() {  # title
    [ -n "$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1)" ]
}

tarn_wait_exit() {  # pid [seconds]
    local pid=$1 wait=${2:-10}
    for _ in $(seq $((wait * 10))); do
        kill -0 "$pid" 2>/dev/null || return 0
        sleep 0.1
    done
    return 1
}

# Clicks at a point of a window's client area.
tarn_click() {  # window x y [button]
    xdotool mousemove --window "$1" "$2" "$3" sleep 0.1 click "${4:-1}"
    sleep 0.3
}

# Xvfb runs no window manager, so a window gets the keyboard focus by a click into it (at a
# point given by the test, or near its top-left corner); keys then go through XTEST like a user's.
tarn_focus() {  # window [x y]
    xdotool mousemove --window "$1" "${2:-4}" "${3:-4}" sleep 0.1 click 1
    sleep 0.3
}

tarn_key() {  # window keys...
    local w=$1
    shift
    tarn_focus "$w"
    xdotool key "$@"
    sleep 0.3
}

# The tray menu's items from the top; each is 22 pixels high and the menu opens at the pointer.
TARN_TRAY_ITEMS=("Config" "Start with Windows" "Exit")
# Right-clicks the icon in Wine's tray window and clicks the item with that caption.
tarn_tray_choose() {  # caption
    local tray k
    tray=$(xdotool search --onlyvisible --name '^Wine System Tray$' | head -1)
    [ -n "$tray" ] || tarn_fail "no tray window"
    xdotool mousemove --window "$tray" 10 10 sleep 0.2 click 3
    sleep 0.8
    [ -n "${2:-}" ] && tarn_shot "$2" >/dev/null
    eval "$(xdotool getmouselocation --shell)"
    for k in "${!TARN_TRAY_ITEMS[@]}"; do
        if [ "${TARN_TRAY_ITEMS[$k]}" = "$1" ]; then
            xdotool mousemove $((X + 37)) $((Y + 11 + 22 * k)) sleep 0.2 click 1
            return 0
        fi
    done
    tarn_fail "no tray menu item '$1'"
}

# Takes a screenshot of the whole screen (or a window) into the screenshot folder.
tarn_shot() {  # name [window]
    local out="$TARN_SHOTS/$TARN_TEST_NAME-$1.png"
    if [ -n "${2:-}" ]; then
        import -window "$2" "$out" 2>/dev/null
    else
        import -window root "$out" 2>/dev/null
    fi
    echo "$out"
}
