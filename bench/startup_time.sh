#!/usr/bin/env bash
# The desktop program's start-up time: from starting the process to its
# start-up window being shown on the display, median of N runs, on a virtual
# display. Prints one line: "startup_ms median min max".
#   bench/startup_time.sh [RUNS] [qt|win32]   (default 7 runs of the Qt program)
# qt: build/src/qt/addsongs (cmake --build --preset default).
# win32: build-mingw/bin/addsongs.exe under Wine (cmake --build --preset mingw),
# in the tests' Wine prefix with its server already running, as a Windows
# system has its services running before a program starts.
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-7}"
kind="${2:-qt}"
case "$kind" in
  qt) program=./build/src/qt/addsongs; start=$program ;;
  win32)
    program=./build-mingw/bin/addsongs.exe
    export WINEPREFIX=$PWD/build-mingw/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    [ -f "$WINEPREFIX/system.reg" ] || { echo "run scripts/wine-test.sh once first (it makes the Wine prefix)" >&2; exit 2; }
    start="wine $program" ;;
  *) echo "usage: bench/startup_time.sh [RUNS] [qt|win32]" >&2; exit 2 ;;
esac
[ -f "$program" ] || { echo "build $program first" >&2; exit 2; }
bash scripts/ensure-packages.sh xvfb xauth xdotool
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  [ "'"$kind"'" = win32 ] && { wineserver -p; wine cmd.exe /c exit </dev/null >/dev/null 2>&1; }
  times=()
  for i in $(seq '"$runs"'); do
    start=$(date +%s%N)
    '"$start"' >/dev/null 2>&1 &
    pid=$!
    # xdotool --sync looks only every half second: a tighter loop of its own.
    until xdotool search --onlyvisible --class addsongs >/dev/null 2>&1; do sleep 0.01; done
    end=$(date +%s%N)
    kill $pid; wait $pid 2>/dev/null || true
    sleep 1  # the window is gone before the next start looks for one
    times+=($(( (end - start) / 1000000 )))
  done
  [ "'"$kind"'" = win32 ] && wineserver -k
  sorted=($(printf "%s\n" "${times[@]}" | sort -n))
  n=${#sorted[@]}
  echo "startup_ms ${sorted[$((n / 2))]} ${sorted[0]} ${sorted[$((n - 1))]}"
'
