#!/usr/bin/env bash
# The Windows desktop program's start-up time under Wine: from starting
# addsongs.exe to its start-up window being shown on a virtual display,
# median of N runs, with the Wine server of the test prefix already running
# (as Windows itself is). Prints one line: "win32_startup_ms median min max".
#   bench/win32_startup_time.sh [RUNS]   (default 7; needs the mingw build)
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-7}"
build=$PWD/build-mingw
program=$build/bin/addsongs.exe
[ -f "$program" ] || { echo "build the mingw preset first (cmake --build --preset mingw)" >&2; exit 2; }
bash scripts/ensure-packages.sh xvfb xauth xdotool
export WINEPREFIX=$build/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  wineserver -p
  wine cmd.exe /c exit </dev/null >/dev/null 2>&1
  times=()
  for i in $(seq '"$runs"'); do
    start=$(date +%s%N)
    wine '"$program"' >/dev/null 2>&1 &
    pid=$!
    xdotool search --sync --onlyvisible --name "用户加歌工具" >/dev/null
    end=$(date +%s%N)
    kill $pid 2>/dev/null; wait $pid 2>/dev/null || true
    times+=($(( (end - start) / 1000000 )))
  done
  wineserver -k 2>/dev/null || true
  sorted=($(printf "%s\n" "${times[@]}" | sort -n))
  n=${#sorted[@]}
  echo "win32_startup_ms ${sorted[$((n / 2))]} ${sorted[0]} ${sorted[$((n - 1))]}"
'
