#!/usr/bin/env bash
# The release as a Windows user gets it: the packages are made from the program folder; the
# three program files carry their version resources; the installer installs silently for an
# administrator (files, Start-menu and Startup shortcuts, the Apps & features entry); the
# installed program starts with its window, and with --tray only into the tray with the profile
# applied; setup refuses while the program runs; the silent uninstall leaves nothing of the
# program and keeps the user's settings unless /REMOVESETTINGS is given.
. "$(dirname "$0")/lib.sh"
TITLE="Nirel Tarn Gaming Mouse Driver"
build=$(cd "$TARN_PROGRAM_DIR/../.." && pwd)
dist=$TARN_SHOTS/dist
version=$(sed -n 's/^#define TARN_VERSION_TEXT "\(.*\)"/\1/p' "$TARN_SOURCE_DIR/resources/version.h")
setup=$dist/TarnSetup-$version.exe
installed="$WINEPREFIX/drive_c/Program Files/Nirel/Tarn"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\NirelTarn'
probe=$build/win64/wine-helpers/version_probe.exe

TARN_BUILD_DIR=$build "$TARN_SOURCE_DIR/scripts/release.sh" --no-build --out "$dist" >/dev/null ||
    tarn_fail "the release packages could not be made"
[ -f "$setup" ] && [ -f "$dist/Tarn-$version-portable.zip" ] || tarn_fail "a package is missing"

# File properties, as Explorer reads them.
for f in TarnDriver.exe MenuEx.dll tarnctl.exe; do
    out=$TARN_SHOTS/$TARN_TEST_NAME-$f.version.txt
    "$WINE_LOADER" "$probe" "$(tarn_win_path "$TARN_PROGRAM_DIR/$f")" "$(tarn_win_path "$out")" \
        >>"$TARN_SHOTS/$TARN_TEST_NAME.log" 2>&1 || tarn_fail "$f has no version resource"
    grep -qx "FileVersion=$version" "$out" || tarn_fail "$f: $(cat "$out")"
    grep -qx "ProductVersion=$version" "$out" || tarn_fail "$f has no product version"
    grep -qx "FileVersion#=$version.0" "$out" || tarn_fail "$f: fixed version $(grep '#' "$out")"
    grep -qx "ProductName=Nirel Tarn Gaming Mouse Driver" "$out" || tarn_fail "$f: product name"
    grep -qx "OriginalFilename=$f" "$out" || tarn_fail "$f: original file name"
    grep -q "^FileDescription=." "$out" || tarn_fail "$f has no description"
done

run_setup() {  # args...: runs the installer or an uninstaller to its end, prints its exit code
    local code=0
    timeout 120 "$WINE_LOADER" "$@" >>"$TARN_SHOTS/$TARN_TEST_NAME.log" 2>&1 || code=$?
    echo "$code"
}
# The uninstaller hands over to a copy of itself in the temporary folder and returns at once.
wait_uninstalled() {
    for _ in $(seq 120); do
        [ -d "$installed" ] || return 0
        sleep 0.5
    done
    return 1
}
startup_link() { find "$WINEPREFIX/drive_c/users" -ipath '*/Startup/Nirel Tarn.lnk' | head -1; }
menu_link="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Nirel Tarn/Nirel Tarn.lnk"

tarn_fresh_data
[ "$(run_setup "$setup" /S)" = 0 ] || tarn_fail "the silent install failed"
for f in TarnDriver.exe MenuEx.dll tarnctl.exe Uninstall.exe Macro.cfg Profile/ConfigInfo.cfg \
    Language/en.xml skins/Main_Normal.bmp; do
    [ -f "$installed/$f" ] || tarn_fail "not installed: $f"
done
[ -f "$menu_link" ] || tarn_fail "no Start-menu shortcut"
link=$(startup_link)
[ -n "$link" ] || tarn_fail "no Startup shortcut"
strings -el "$link" | grep -q -- '--tray' || tarn_fail "the Startup shortcut does not start into the tray"
# The entry is the installer's last write; on a busy machine it may land a moment after the files.
for _ in $(seq 40); do
    entry=$("$WINE_LOADER" reg query "$uninstall_key" 2>/dev/null | tr -d '\r')
    grep -q QuietUninstallString <<<"$entry" && break
    sleep 0.5
done
for value in "DisplayName    REG_SZ    Nirel Tarn" "DisplayVersion    REG_SZ    $version" \
    "Publisher    REG_SZ    Nirel" 'DisplayIcon    REG_SZ    C:\Program Files\Nirel\Tarn\TarnDriver.exe,0' \
    'QuietUninstallString    REG_SZ    "C:\Program Files\Nirel\Tarn\Uninstall.exe" /S'; do
    grep -qF "$value" <<<"$entry" || tarn_fail "uninstall entry lacks '$value': $entry"
done
grep -q 'EstimatedSize    REG_DWORD    0x[0-9a-f]*[1-9a-f]' <<<"$entry" || tarn_fail "no size"

# The installed program shows its window.
start_installed() {
    "$WINE_LOADER" "$installed/TarnDriver.exe" "$@" >>"$TARN_SHOTS/$TARN_TEST_NAME.log" 2>&1 &
    TARN_LAST_PID=$!
    TARN_PIDS+=("$TARN_LAST_PID")
}
start_installed --simulate
tarn_wait_window "$TITLE" 60 >/dev/null || tarn_fail "the installed program showed no window"
tarn_shot installed-window >/dev/null
tarn_stop_pid "$TARN_LAST_PID" 5

# Started with Windows: only the tray icon, and the active profile goes to the mouse unasked.
tarn_sim_log tray-start
start_installed --simulate --tray
tray=$TARN_LAST_PID
for _ in $(seq 80); do grep -q ' SET 01 0c ' "$sim_log_unix" 2>/dev/null && break; sleep 0.25; done
grep -q ' SET 01 0c ' "$sim_log_unix" 2>/dev/null || tarn_fail "no apply after a start into the tray"
sleep 1
tarn_window_visible "$TITLE" && tarn_fail "a start into the tray showed the window"
kill -0 "$tray" 2>/dev/null || tarn_fail "the program started into the tray ended"
tarn_shot tray-only >/dev/null
# A second start with --tray leaves it in the tray; one without shows the running window.
start_installed --simulate --tray
tarn_wait_exit "$TARN_LAST_PID" 20 || tarn_fail "a second start into the tray did not end"
sleep 1
tarn_window_visible "$TITLE" && tarn_fail "a second start into the tray showed the window"
start_installed --simulate
tarn_wait_exit "$TARN_LAST_PID" 20 || tarn_fail "the second start did not end"
tarn_wait_window "$TITLE" 10 >/dev/null || tarn_fail "a second start did not show the window"

# While it runs, setup refuses, silently with its exit code, and otherwise with a message.
[ "$(run_setup "$setup" /S)" = 3 ] || tarn_fail "a silent install while running was not refused"
"$WINE_LOADER" "$setup" >>"$TARN_SHOTS/$TARN_TEST_NAME.log" 2>&1 &
refusing=$!
TARN_PIDS+=("$refusing")
box=$(tarn_wait_window "Nirel Tarn $version Setup" 30) || tarn_fail "no refusal message"
tarn_shot refused >/dev/null
eval "$(xdotool getwindowgeometry --shell "$box")"
tarn_click "$box" $((WIDTH / 2)) $((HEIGHT - 22))
tarn_wait_exit "$refusing" 20 || tarn_fail "the refusal did not end setup"
# The uninstaller runs from a copy of itself, so its refusal shows as files left in place.
run_setup "$installed/Uninstall.exe" /S >/dev/null
sleep 5
[ -f "$installed/TarnDriver.exe" ] || tarn_fail "an uninstall while the program ran removed it"
"$WINE_LOADER" reg query "$uninstall_key" >/dev/null 2>&1 || tarn_fail "a refused uninstall took the entry"
tarn_stop_pid "$tray" 5

# The silent uninstall removes the program and keeps the settings.
data=$(tarn_data_unix)
[ -f "$data/Macro.cfg" ] || tarn_fail "the program made no data folder"
run_setup "$installed/Uninstall.exe" /S >/dev/null
wait_uninstalled || tarn_fail "files left in Program Files: $(find "$installed" | head)"
[ -e "$WINEPREFIX/drive_c/Program Files/Nirel" ] && tarn_fail "the Nirel folder was left behind"
[ -e "$menu_link" ] && tarn_fail "the Start-menu shortcut was left behind"
[ -n "$(startup_link)" ] && tarn_fail "the Startup shortcut was left behind"
"$WINE_LOADER" reg query "$uninstall_key" >/dev/null 2>&1 && tarn_fail "the uninstall entry was left"
[ -f "$data/Macro.cfg" ] || tarn_fail "the uninstall removed the user's settings"

# With the remove-settings choice they go too.
[ "$(run_setup "$setup" /S)" = 0 ] || tarn_fail "the second install failed"
run_setup "$installed/Uninstall.exe" /S /REMOVESETTINGS >/dev/null
wait_uninstalled || tarn_fail "the second uninstall left files"
for _ in $(seq 20); do [ -d "$data" ] || break; sleep 0.25; done
[ -d "$data" ] && tarn_fail "the settings were kept although their removal was chosen"
tarn_log "ok"
