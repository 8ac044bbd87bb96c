#!/usr/bin/env bash
# Kills addsongs-cli add at every step of a run onto a folder stick and checks
# the stick after each: every line of its list names a .dat that is its song,
# and a --merge run still lists the songs that were there.
#
# The stick holds three songs of an earlier run; the run adds three more with
# --merge, then with --replace. strace kills it (SIGKILL, on entering the
# call, so the call is not made) at the K-th call of each set of system calls
# (renames, flushes, unlinks, writes), for K = 1, 2, ... until a run is no
# longer stopped; the stick is restored before each run. The checker is
# tests/tools/check_stick.py. For a person; CTest does not run it.
#
# usage: tests/tools/kill_points.sh [BUILD_DIR]      (default: build)
# Prints every stop that broke the invariant, then "stops tried N, invariant
# broken M". Exit status 1 when M > 0.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=${1:-build}
cli=$(cd "$build" && pwd)/src/cli/addsongs-cli
make_video=$(cd "$build" && pwd)/tests/make_test_video
checker=$here/check_stick.py
[ -x "$cli" ] || { echo "no $cli: build addsongs-cli first" >&2; exit 2; }
[ -x "$make_video" ] || { echo "no $make_video: build make_test_video first" >&2; exit 2; }
command -v strace > /dev/null || { echo "strace is not installed" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The copies of replaced lists the program keeps go here, not into $HOME.
export XDG_DATA_HOME=$work/data

# Videos of a few KiB that the program's probe takes, each different: two
# writes of the copy's 5120-byte pieces.
mkdir -p "$work/src"
size=6000
seed=1
for name in a b c d e f; do
  "$make_video" "$work/src/$name-x.mpg" "$size" "$seed"
  size=$((size + 500))
  seed=$((seed + 1))
done

add() {  # add STICK OPTION... VIDEOS
  "$cli" add --line oru --to "$@" > /dev/null 2>&1
}

add "$work/before" "$work/src/a-x.mpg" "$work/src/b-x.mpg" "$work/src/c-x.mpg" ||
  { echo "the earlier run onto an empty stick failed" >&2; exit 2; }

tried=0
broken=0
report=""
summary=""
for option in --merge --replace; do
  mode=keep
  [ "$option" = --replace ] && mode=replace
  new=("$work/src/d-x.mpg" "$work/src/e-x.mpg" "$work/src/f-x.mpg")
  rm -rf "$work/reference"
  cp -a "$work/before" "$work/reference"
  add "$work/reference" "$option" "${new[@]}" ||
    { echo "the whole run $option failed" >&2; exit 2; }
  if ! said=$(python3 "$checker" "$mode" "$work/before" "$work/reference" "$work/reference"); then
    report+="$option, not stopped:"$'\n'"$(sed 's/^/    /' <<< "$said")"$'\n'
  fi
  counts="$option:"
  for calls in rename,renameat,renameat2 fsync,fdatasync unlink,unlinkat write; do
    k=1
    while :; do
      rm -rf "$work/stick"
      cp -a "$work/before" "$work/stick"
      # The shell's own word on the killed job goes to /dev/null too.
      status=$({
        strace -f -o /dev/null -e trace="$calls" -e inject="$calls:signal=KILL:when=$k" \
          "$cli" add --line oru --to "$work/stick" "$option" "${new[@]}" > /dev/null 2>&1
        echo $?
      } 2> /dev/null)
      # 137: killed by SIGKILL. Anything else: the run had fewer such calls.
      [ "$status" -eq 137 ] || break
      tried=$((tried + 1))
      if ! said=$(python3 "$checker" "$mode" "$work/before" "$work/reference" "$work/stick"); then
        broken=$((broken + 1))
        report+="$option, killed at ${calls%%,*} #$k:"$'\n'"$(sed 's/^/    /' <<< "$said")"$'\n'
      fi
      k=$((k + 1))
    done
    counts+=" ${calls%%,*} $((k - 1)),"
  done
  summary+="${counts%,} stops"$'\n'
done

printf '%s' "$report" "$summary"
echo "stops tried $tried, invariant broken $broken"
[ "$broken" -eq 0 ]
