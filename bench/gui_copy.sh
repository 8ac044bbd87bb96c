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
source bench/videos.sh
bash scripts/ensure-packages.sh xvfb xauth openbox
on_virtual_display "$@"
cmake --preset default >/dev/null
cmake --build --preset default --target gui_copy_driver addsongs-cli make_test_video >/dev/null
work="$(mktemp -d "${TMPDIR:-/var/tmp}/gui-copy.XXXXXX")"
trap 'rm -rf "$work"' EXIT
make_videos "$work/src" "$mib"

window_copy() { ./build/bench/gui_copy_driver "$@" 2>/dev/null; }
console_copy() {
  local dest=$1; shift
  ./build/src/cli/addsongs-cli add --line oru --to "$dest" "$@" >/dev/null
}
copy_rounds gui_copy_ratio "$((mib * 4))" "$work" "${files[@]}"
