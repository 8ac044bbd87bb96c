#!/usr/bin/env bash
# Pictures of every window of the desktop program, taken on a virtual display
# with a window manager (so that captions show):
#   tools/screenshots.sh [OUTPUT_FOLDER]      (default: build/screenshots)
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-build/screenshots}"
bash scripts/ensure-packages.sh xvfb xauth openbox
cmake --preset default >/dev/null
cmake --build --preset default --target addsongs-screenshots
mkdir -p "$out"
# The copies of the lists the runs replace go into a folder of their own.
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
export XDG_DATA_HOME=$data
xvfb-run -a -s "-screen 0 1280x800x24" bash -c "
  openbox >/dev/null 2>&1 &
  sleep 1
  ./build/tools/screenshots/addsongs-screenshots '$out'
"
ls "$out"
