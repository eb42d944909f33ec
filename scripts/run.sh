#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it under Wine with the simulated mouse.
# On a display it runs until you close it; without one it runs on a virtual X server, leaves a
# screenshot in the build folder and ends.
#   scripts/run.sh [program arguments]   (default: --simulate)
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${TARN_BUILD_DIR:-$top/build}
args=("$@")
[ "${#args[@]}" -gt 0 ] || args=(--simulate)

"$top/scripts/deps.sh"
"$top/scripts/build.sh" all
program="$BUILD/win64/TarnDriver/TarnDriver.exe"
WINE_LOADER=${WINE_LOADER:-/usr/lib/wine/wine64}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

if [ -n "${DISPLAY:-}" ]; then
    export WINEPREFIX=${WINEPREFIX:-$BUILD/wine-prefix}
    echo "Starting $program ${args[*]} on $DISPLAY (prefix $WINEPREFIX)"
    exec "$WINE_LOADER" "$program" "${args[@]}"
fi

session="$BUILD/run-session"
shot="$BUILD/screenshot.png"
cleanup() {
    [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null
    [ -n "${pid:-}" ] && { timeout 5 tail --pid="$pid" -f /dev/null || kill -9 "$pid" 2>/dev/null; }
    bash "$top/scripts/wine_session.sh" stop "$session"
}
trap cleanup EXIT
bash "$top/scripts/wine_session.sh" start "$session"
# shellcheck disable=SC1091
. "$session/env.sh"
"$WINE_LOADER" "$program" "${args[@]}" >"$BUILD/run.log" 2>&1 &
pid=$!
for _ in $(seq 120); do
    xdotool search --onlyvisible --name '^Nirel Tarn Gaming Mouse Driver$' >/dev/null 2>&1 && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.25
done
sleep 2
import -window root "$shot"
echo "No display: the program ran on a virtual X server; screenshot: $shot"
