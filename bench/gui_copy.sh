#!/usr/bin/env bash
# The desktop program against the console program on the same copy: four
# video files of 256 MiB into a folder on this disk, three rounds, the two
# programs taking turns. The desktop program is timed from the click on
# "开始加歌" to "用户加歌完成" (bench/gui_copy_driver.cpp, on a virtual
# display), the console program as a whole command. Prints each round and,
# last, gui_copy_ratio R: the console's time over the window's (1.0: as fast).
#   bench/gui_copy.sh [MIB_PER_FILE]
set -euo pipefail
cd "$(dirname "$0")/.."
mib="${1:-256}"
bash scripts/ensure-packages.sh xvfb xauth openbox
cmake --preset default >/dev/null
cmake --build --preset default --target gui_copy_driver addsongs-cli >/dev/null
work="$(mktemp -d "${TMPDIR:-/var/tmp}/gui-copy.XXXXXX")"
trap 'rm -rf "$work"' EXIT
source bench/videos.sh
make_videos "$work/src" "$mib"
cli=./build/src/cli/addsongs-cli
driver=./build/bench/gui_copy_driver
total_mib=$((mib * 4))

xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  set -euo pipefail
  openbox >/dev/null 2>&1 &
  sleep 1
  cli=$1; driver=$2; work=$3; total=$4; shift 4
  times=""
  for round in 1 2 3; do
    rm -rf "$work/gui" "$work/cli"; mkdir -p "$work/gui" "$work/cli"
    sync
    window=$("$driver" "$work/gui" "$@" 2>/dev/null | awk "/^gui_seconds/ {print \$2}")
    sync
    start=$(date +%s.%N)
    "$cli" add --line oru --to "$work/cli" "$@" >/dev/null
    console=$(awk -v s="$start" -v e="$(date +%s.%N)" "BEGIN {print e - s}")
    cmp -s "$work/gui/vod/660003.dat" "$work/cli/vod/660003.dat"
    awk -v r="$round" -v w="$window" -v c="$console" -v t="$total" "BEGIN {
      printf \"round %d: window %.2f s (%.0f MiB/s), console %.2f s (%.0f MiB/s)\n\", r, w, t / w, c, t / c }"
    times="$times $window $console"
  done
  echo "$times" | awk -v t="$total" "{
    for (i = 1; i <= NF; i += 2) { w += \$i; c += \$(i + 1) }
    printf \"window %.0f MiB/s, console %.0f MiB/s over three rounds\n\", 3 * t / w, 3 * t / c
    printf \"gui_copy_ratio %.2f\n\", c / w }"
' _ "$cli" "$driver" "$work" "$total_mib" "${files[@]}"
