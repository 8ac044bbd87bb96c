#!/usr/bin/env bash
# The Windows installer under Wine, as an owner meets it: installed silently
# (/S) into Program Files, with its Start-menu shortcut; the installed
# addsongs.exe shows the start-up window; the uninstaller removes it all.
# Uses a private Wine prefix (build-mingw/wine-install) on a virtual display.
#   scripts/installer-test.sh        (after scripts/make-installer.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$PWD/build-mingw
installer=$(ls "$build"/addsongs-*-win64.exe 2>/dev/null | head -1)
[ -n "$installer" ] || { echo "no installer: run scripts/make-installer.sh" >&2; exit 2; }
if [ -z "${DISPLAY:-}" ] && command -v xvfb-run >/dev/null; then
  exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$@"
fi
export WINEPREFIX=$build/wine-install WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
rm -rf "$WINEPREFIX"
wineboot -i >/dev/null 2>&1
wineserver -w
trap 'wineserver -k 2>/dev/null || true' EXIT
fail() { echo "installer test: $*" >&2; exit 1; }

wine "$installer" /S
wineserver -w  # the installer's own processes end
dir="$WINEPREFIX/drive_c/Program Files/addsongs"
for file in addsongs.exe addsongs-cli.exe OruStroke.dll Uninstall.exe; do
  [ -f "$dir/$file" ] || fail "$file is not installed in Program Files"
done
link=$(find "$WINEPREFIX/drive_c" -name '用户加歌工具.lnk' | head -1)
[ -n "$link" ] || fail "no Start-menu shortcut 用户加歌工具"

wine "C:\\Program Files\\addsongs\\addsongs.exe" >/dev/null 2>&1 &
pid=$!
timeout 60 xdotool search --sync --onlyvisible --name "用户加歌工具" >/dev/null ||
  fail "the installed addsongs.exe showed no start-up window"
kill $pid 2>/dev/null; wait $pid 2>/dev/null || true

wine "C:\\Program Files\\addsongs\\Uninstall.exe" /S
sleep 3; wineserver -w
[ ! -e "$dir/addsongs.exe" ] || fail "the uninstaller left addsongs.exe"
[ -z "$(find "$WINEPREFIX/drive_c" -name '用户加歌工具.lnk')" ] || fail "the uninstaller left the shortcut"
echo "installer test: installed silently, the start-up window shown, uninstalled ($(du -k "$installer" | cut -f1) KiB installer)"
