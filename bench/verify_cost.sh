#!/usr/bin/env bash
# What reading the files back costs a run: addsongs-cli add of four files of
# 256 MiB into a folder of this disk, with the read-back and without it
# (--no-verify), three rounds taking turns, the system's cache dropped
# before each run (as root; without root the sources may come from memory).
# Prints each round and, last, verify_cost_seconds S (the median extra time)
# and verify_cost_ratio R (the median of the rounds' time with the check over
# the time without it; 1.0: the check costs nothing).
#   bench/verify_cost.sh [MIB_PER_FILE]
set -euo pipefail
cd "$(dirname "$0")/.."
mib="${1:-256}"
cmake --preset default >/dev/null
cmake --build --preset default --target addsongs-cli make_test_video >/dev/null
cli=./build/src/cli/addsongs-cli
work="$(mktemp -d "${TMPDIR:-/var/tmp}/verify-cost.XXXXXX")"
trap 'rm -rf "$work"' EXIT
source bench/videos.sh
make_videos "$work/src" "$mib"
drop() {
  sync
  if [ -w /proc/sys/vm/drop_caches ]; then echo 3 > /proc/sys/vm/drop_caches; fi
}
run() {  # $1: extra option or ""; prints the seconds
  rm -rf "$work/out"; drop
  local start; start=$(date +%s.%N)
  "$cli" add --line oru --to "$work/out" $1 "${files[@]}" >/dev/null
  awk -v s="$start" -v e="$(date +%s.%N)" 'BEGIN {print e - s}'
}
[ -w /proc/sys/vm/drop_caches ] || echo "not root: the cache is not dropped" >&2
extras=()
ratios=()
for round in 1 2 3; do
  with=$(run "")
  without=$(run --no-verify)
  awk -v r="$round" -v w="$with" -v o="$without" -v t="$((mib * 4))" 'BEGIN {
    printf "round %d: with the check %.2f s, without %.2f s: +%.2f s (%.0f MiB/s read back), ratio %.2f\n",
      r, w, o, w - o, (w > o ? t / (w - o) : 0), w / o }'
  extras+=("$(awk -v w="$with" -v o="$without" 'BEGIN {print w - o}')")
  ratios+=("$(awk -v w="$with" -v o="$without" 'BEGIN {print w / o}')")
done
printf '%s\n' "${extras[@]}" | sort -g | awk '{a[NR] = $1} END {printf "verify_cost_seconds %.2f\n", a[2]}'
printf '%s\n' "${ratios[@]}" | sort -g | awk '{a[NR] = $1} END {printf "verify_cost_ratio %.2f\n", a[2]}'
