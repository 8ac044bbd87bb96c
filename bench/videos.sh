# Sourced by the copy benchmarks.

# make_videos FOLDER MIB [PREFIX] makes four videos of MIB MiB that the
# programs' media probe takes (a short clip, then padding that looks random,
# each file different), FOLDER/song1-singer.mpg ... song4, and lists them in
# the array `files`, each path behind PREFIX (Z: for a Windows program under
# Wine). They are written by build/tests/make_test_video (cmake --build
# --preset default --target make_test_video).
make_videos() {
  local folder=$1 mib=$2 prefix=${3:-} n f
  local make_video=./build/tests/make_test_video
  [ -x "$make_video" ] || { echo "build $make_video first" >&2; return 2; }
  mkdir -p "$folder"
  files=()
  for n in 1 2 3 4; do
    f="$folder/song$n-singer.mpg"
    "$make_video" "$f" "$((mib << 20))" "$n"
    files+=("$prefix$f")
  done
}

# copy_rounds NAME TOTAL_MIB WORK FILE... times the window against the console
# on the same copy, three rounds taking turns, each into a fresh WORK/gui and
# WORK/cli. The caller defines window_copy DEST FILE... (prints the driver's
# "gui_seconds S") and console_copy DEST FILE... (timed as a whole). Fails
# when the two wrote different files; prints each round and, last, NAME R:
# the console's time over the window's (1.0: as fast).
copy_rounds() {
  local name=$1 total=$2 work=$3 round window console start times=""
  shift 3
  for round in 1 2 3; do
    rm -rf "$work/gui" "$work/cli"; mkdir -p "$work/gui" "$work/cli"
    sync
    window=$(window_copy "$work/gui" "$@" | awk '/^gui_seconds/ {print $2}')
    sync
    start=$(date +%s.%N)
    console_copy "$work/cli" "$@"
    console=$(awk -v s="$start" -v e="$(date +%s.%N)" 'BEGIN {print e - s}')
    cmp -s "$work/gui/vod/660003.dat" "$work/cli/vod/660003.dat"
    awk -v r="$round" -v w="$window" -v c="$console" -v t="$total" 'BEGIN {
      printf "round %d: window %.2f s (%.0f MiB/s), console %.2f s (%.0f MiB/s)\n", r, w, t / w, c, t / c }'
    times="$times $window $console"
  done
  echo "$times" | awk -v t="$total" -v name="$name" '{
    for (i = 1; i <= NF; i += 2) { w += $i; c += $(i + 1) }
    printf "window %.0f MiB/s, console %.0f MiB/s over three rounds\n", 3 * t / w, 3 * t / c
    printf "%s %.2f\n", name, c / w }'
}

# on_virtual_display ARGS...: runs the calling script again (with ARGS) on a
# virtual display of its own with a window manager, unless it already is.
on_virtual_display() {
  if [ -z "${BENCH_VIRTUAL_DISPLAY:-}" ]; then
    BENCH_VIRTUAL_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$@"
  fi
  openbox >/dev/null 2>&1 &
  sleep 1
}
