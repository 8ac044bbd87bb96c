#!/usr/bin/env bash
# The desktop program's start-up time: from starting the process to its
# start-up window being shown on the display, median of N runs, on a virtual
# display. Prints one line: "startup_ms median min max".
#   bench/startup_time.sh [RUNS]        (default 7; needs a build with Qt)
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-7}"
program=./build/src/qt/addsongs
[ -x "$program" ] || { echo "build the desktop program first (cmake --build --preset default)" >&2; exit 2; }
bash scripts/ensure-packages.sh xvfb xauth xdotool
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  times=()
  for i in $(seq '"$runs"'); do
    start=$(date +%s%N)
    '"$program"' >/dev/null 2>&1 &
    pid=$!
    xdotool search --sync --onlyvisible --name "用户加歌工具" >/dev/null
    end=$(date +%s%N)
    kill $pid; wait $pid 2>/dev/null || true
    times+=($(( (end - start) / 1000000 )))
  done
  sorted=($(printf "%s\n" "${times[@]}" | sort -n))
  n=${#sorted[@]}
  echo "startup_ms ${sorted[$((n / 2))]} ${sorted[0]} ${sorted[$((n - 1))]}"
'
