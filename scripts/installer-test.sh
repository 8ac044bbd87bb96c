#!/usr/bin/env bash
# Tests the Windows installer under Wine: makes it (CPack, NSIS) from the
# mingw build, installs it silently (/S) into a Wine prefix of its own, checks
# the programs and the Start-menu shortcut, starts the installed addsongs.exe
# on a virtual display and waits for its start-up window, then uninstalls
# silently and checks that the programs and the shortcut are gone.
#   scripts/installer-test.sh        (after cmake --build --preset mingw)
set -euo pipefail
cd "$(dirname "$0")/.."
# Wine's windows need a display: the whole test runs on a virtual one.
[ -n "${DISPLAY:-}" ] || exec xvfb-run -a "$0" "$@"

build=$PWD/build-mingw
export WINEPREFIX=$build/wine-installer
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

fail() { echo "installer test: $*" >&2; exit 1; }
wait_for() {  # wait_for SECONDS COMMAND...: true once COMMAND succeeds
  local deadline=$((SECONDS + $1)); shift
  until "$@"; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.5
  done
}

(cd "$build" && cpack -G NSIS >/dev/null)
setup=$(ls "$build"/addsongs-*-setup.exe)
echo "installer: $(basename "$setup"), $(stat -c %s "$setup") bytes"

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot -i >"$build/wineboot-installer.log" 2>&1 || { cat "$build/wineboot-installer.log" >&2; exit 1; }
fi
# One server for the test, kept running between the steps. The one wineboot
# started lingers a few seconds, and "wineserver -p" refuses to start beside
# it (status 2): end it first.
wineserver -k 2>/dev/null || true
wineserver -w
wineserver -p
trap 'wineserver -k 2>/dev/null || true' EXIT

app="$WINEPREFIX/drive_c/Program Files/AddSongs"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/用户加歌工具"
wine "$setup" /S </dev/null >/dev/null 2>&1
for file in addsongs.exe addsongs-cli.exe OruStroke.dll LICENSE.txt FFmpeg-LGPL.txt Uninstall.exe; do
  [ -f "$app/$file" ] || fail "$file not installed under Program Files\\AddSongs"
done
[ -f "$menu/用户加歌工具.lnk" ] || fail "no Start-menu shortcut 用户加歌工具"
echo "installed: $(cd "$app" && ls | tr '\n' ' ')"

# The installed program shows its start-up window (a shown window of its
# class; xdotool does not match Chinese captions).
wine "$app/addsongs.exe" </dev/null >/dev/null 2>&1 &
timeout 60 xdotool search --sync --onlyvisible --class addsongs >/dev/null ||
  fail "addsongs.exe showed no start-up window within a minute"
wineserver -k 2>/dev/null || true
wait || true
wineserver -w
echo "started: the start-up window of the installed addsongs.exe"

wineserver -p
wine "$app/Uninstall.exe" /S </dev/null >/dev/null 2>&1
# The uninstaller runs on from a copy of itself; wait for it to finish.
gone() { [ ! -e "$app/addsongs.exe" ] && [ ! -e "$menu/用户加歌工具.lnk" ]; }
wait_for 60 gone || fail "the uninstaller left the program or its shortcut behind"
echo "uninstalled: Program Files\\AddSongs and the shortcut are gone"
