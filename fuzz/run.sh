#!/usr/bin/env bash
# Builds the fuzz preset (clang, libFuzzer, sanitizers) and runs fuzz targets
# one after the other, each for SECONDS on a scratch copy of its corpus in
# fuzz/corpus/ (the committed corpus does not grow), at the lowest priority.
#
#   fuzz/run.sh all 60            every target for a minute
#   fuzz/run.sh load_vod 600      one target for ten minutes
#
# Prints executions, coverage (cov/ft as libFuzzer counts them), corpus size
# and crashes per target. Crashing inputs are kept in build-fuzz/crashes/;
# the exit status is 1 when any target crashed.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ $# -ne 2 ]; then
  echo "usage: fuzz/run.sh TARGET|all SECONDS   (targets: $(ls fuzz/corpus | tr '\n' ' '))" >&2
  exit 2
fi
seconds=$2
if [ "$1" = all ]; then
  targets=$(ls fuzz/corpus)
else
  targets=$1
  [ -d "fuzz/corpus/$1" ] || { echo "fuzz/run.sh: no target $1" >&2; exit 2; }
fi

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target fuzzers >/dev/null

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
crashes=build-fuzz/crashes
mkdir -p "$crashes"

failed=0
printf '%-16s %12s %8s %8s %8s %s\n' target executions cov ft corpus crashes
for t in $targets; do
  cp -r "fuzz/corpus/$t" "$scratch/$t"
  dict=()
  case $t in line_parser | load_vod | recognize_vod) dict=(-dict=fuzz/vod.dict) ;; esac
  log="$scratch/$t.log"
  status=0
  nice -n 19 "build-fuzz/fuzz/${t}_fuzz" "$scratch/$t" "${dict[@]}" \
    -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$crashes/$t-" >"$log" 2>&1 || status=$?
  # The last status line libFuzzer printed ("#N DONE cov: C ft: F corp: K/...").
  last=$(grep -E '^#[0-9]+' "$log" | tail -n 1 || true)
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  cov=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$last")
  ft=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$last")
  corp=$(sed -n 's/.* corp: \([0-9]*\).*/\1/p' <<<"$last")
  found=$(grep -cE '^(==[0-9]+==ERROR|SUMMARY: |.*property does not hold)' "$log" || true)
  printf '%-16s %12s %8s %8s %8s %s\n' "$t" "${execs:-?}" "${cov:-?}" "${ft:-?}" "${corp:-?}" \
    "$([ "$status" -eq 0 ] && echo 0 || echo "yes (exit $status)")"
  if [ "$status" -ne 0 ]; then
    failed=1
    echo "---- $t: last lines of its log (found $found report lines) ----"
    tail -n 30 "$log"
    ls "$crashes/$t-"* 2>/dev/null || true
  fi
done
exit $failed
