#!/usr/bin/env bash
# One Wine prefix and one virtual X server for a whole test run.
#   wine_session.sh start DIR   create DIR/prefix once, start Xvfb and wineserver, write DIR/env.sh
#   wine_session.sh stop DIR    stop exactly the processes that start recorded, with a time-out
set -u
cmd=${1:?start or stop}
dir=${2:?session folder}
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)

WINE_LOADER=${WINE_LOADER:-/usr/lib/wine/wine64}
WINESERVER_BIN=${WINESERVER_BIN:-/usr/lib/wine/wineserver}
[ -x "$WINESERVER_BIN" ] || WINESERVER_BIN=$(command -v wineserver)

# shellcheck disable=SC1091
. "$(dirname "$0")/processes.sh"

case "$cmd" in
start)
    # A stale session of an aborted run is cleared first.
    [ -f "$dir/env.sh" ] && "$0" stop "$dir"
    export WINEPREFIX="$dir/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    # Xvfb tells the display it took on a pipe, so parallel runs never collide.
    exec 3<> <(:)
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp >"$dir/xvfb.log" 2>&1 &
    xvfb_pid=$!
    display=""
    for _ in $(seq 100); do
        read -r -t 0.1 display <&3 && break
        kill -0 $xvfb_pid 2>/dev/null || break
    done
    exec 3<&-
    if [ -z "$display" ]; then
        echo "Xvfb did not start" >&2
        tarn_stop_pid $xvfb_pid 2
        exit 1
    fi
    export DISPLAY=":$display"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        # The first boot of a prefix takes a while; its own server ends when it is done.
        timeout 180 "$WINE_LOADER" wineboot -i >"$dir/wineboot.log" 2>&1
        timeout 60 "$WINESERVER_BIN" -w 2>/dev/null
    fi
    "$WINESERVER_BIN" -f -p >"$dir/wineserver.log" 2>&1 &
    wineserver_pid=$!
    cat >"$dir/env.sh" <<ENV
export WINEPREFIX="$WINEPREFIX"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export DISPLAY=":$display"
export WINE_LOADER="$WINE_LOADER"
export WINESERVER_BIN="$WINESERVER_BIN"
TARN_XVFB_PID=$xvfb_pid
TARN_WINESERVER_PID=$wineserver_pid
ENV
    echo "Wine session: DISPLAY=:$display WINEPREFIX=$WINEPREFIX"
    ;;
stop)
    [ -f "$dir/env.sh" ] || exit 0
    # shellcheck disable=SC1091
    . "$dir/env.sh"
    WINEPREFIX="$WINEPREFIX" timeout 10 "$WINESERVER_BIN" -k 2>/dev/null
    tarn_stop_pid "${TARN_WINESERVER_PID:-}" 5
    tarn_stop_pid "${TARN_XVFB_PID:-}" 5
    rm -f "$dir/env.sh"
    ;;
*)
    echo "usage: $0 start|stop DIR" >&2
    exit 2
    ;;
esac
