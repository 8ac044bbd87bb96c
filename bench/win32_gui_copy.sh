#!/usr/bin/env bash
# The Windows desktop program against the Windows console program on the
# same copy, both under Wine: four video files of MIB MiB into a folder on
# this disk, three rounds, the two programs taking turns. The desktop program
# is timed from the click on "开始加歌" to "用户加歌完成"
# (bench/win32_gui_copy_driver.cpp, on a virtual display), the console program
# as a whole command. Prints each round and, last, win32_gui_copy_ratio R: the
# console's time over the window's (1.0: as fast).
#   bench/win32_gui_copy.sh [MIB_PER_FILE]     (default 64; needs the mingw build)
set -euo pipefail
cd "$(dirname "$0")/.."
mib="${1:-64}"
source bench/videos.sh
bash scripts/ensure-packages.sh xvfb xauth openbox
on_virtual_display "$@"
build=$PWD/build-mingw
cmake --build --preset mingw --target win32_gui_copy_driver addsongs-cli >/dev/null
# The videos are written by the Linux build's make_test_video.
cmake --preset default >/dev/null
cmake --build --preset default --target make_test_video >/dev/null
export WINEPREFIX=$build/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1
work="$(mktemp -d "${TMPDIR:-/var/tmp}/win32-gui-copy.XXXXXX")"
trap 'rm -rf "$work"; wineserver -k 2>/dev/null || true' EXIT
make_videos "$work/src" "$mib" Z:

# One Wine server for all rounds, started before the first is timed (a
# server wineboot left behind is ended first: -p refuses to start beside it).
wineserver -k 2>/dev/null || true
wineserver -w
wineserver -p
wine cmd.exe /c exit </dev/null >/dev/null 2>&1

window_copy() {
  local dest=$1; shift
  wine "$build/bin/win32_gui_copy_driver.exe" "Z:$dest" "$@" 2>/dev/null | tr -d '\r'
}
console_copy() {
  local dest=$1; shift
  wine "$build/bin/addsongs-cli.exe" add --line oru --to "Z:$dest" "$@" >/dev/null 2>&1
}
copy_rounds win32_gui_copy_ratio "$((mib * 4))" "$work" "${files[@]}"
