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
bash scripts/ensure-packages.sh xvfb xauth openbox
build=$PWD/build-mingw
cmake --build --preset mingw --target win32_gui_copy_driver addsongs-cli >/dev/null
export WINEPREFIX=$build/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1
work="$(mktemp -d "${TMPDIR:-/var/tmp}/win32-gui-copy.XXXXXX")"
trap 'rm -rf "$work"' EXIT
source bench/videos.sh
make_videos "$work/src" "$mib" Z:

xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  set -euo pipefail
  openbox >/dev/null 2>&1 &
  sleep 1
  build=$1; work=$2; total=$3; shift 3
  wineserver -p
  wine cmd.exe /c exit </dev/null >/dev/null 2>&1
  times=""
  for round in 1 2 3; do
    rm -rf "$work/gui" "$work/cli"; mkdir -p "$work/gui" "$work/cli"
    sync
    window=$(wine "$build/bin/win32_gui_copy_driver.exe" "Z:$work/gui" "$@" 2>/dev/null |
             tr -d "\r" | awk "/^gui_seconds/ {print \$2}")
    sync
    start=$(date +%s.%N)
    wine "$build/bin/addsongs-cli.exe" add --line oru --to "Z:$work/cli" "$@" >/dev/null 2>&1
    console=$(awk -v s="$start" -v e="$(date +%s.%N)" "BEGIN {print e - s}")
    cmp -s "$work/gui/vod/660003.dat" "$work/cli/vod/660003.dat"
    awk -v r="$round" -v w="$window" -v c="$console" -v t="$total" "BEGIN {
      printf \"round %d: window %.2f s (%.0f MiB/s), console %.2f s (%.0f MiB/s)\n\", r, w, t / w, c, t / c }"
    times="$times $window $console"
  done
  wineserver -k 2>/dev/null || true
  echo "$times" | awk -v t="$total" "{
    for (i = 1; i <= NF; i += 2) { w += \$i; c += \$(i + 1) }
    printf \"window %.0f MiB/s, console %.0f MiB/s over three rounds\n\", 3 * t / w, 3 * t / c
    printf \"win32_gui_copy_ratio %.2f\n\", c / w }"
' _ "$build" "$work" "$((mib * 4))" "${files[@]}"
