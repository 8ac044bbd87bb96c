#!/usr/bin/env bash
# Runs every benchmark and prints one table (Markdown) of the figures:
#   bench/run_all.sh [COPY_MIB] [FOLDER]     (default 512 MiB, in build/)
# Take the figures on a quiet machine: the copy is bound by the disk and the
# start-up by the processor.
set -euo pipefail
cd "$(dirname "$0")/.."
mib="${1:-512}"
folder="${2:-build}"
bash scripts/ensure-packages.sh time xvfb xauth xdotool
cmake --preset default >/dev/null
cmake --build --preset default >/dev/null

row() { printf '| %s | %s |\n' "$1" "$2"; }
gbench() {  # benchmark program -> "name (label)<TAB>items per CPU second<TAB>wall time" lines
  "./build/bench/$1" --benchmark_format=csv 2>/dev/null |
    awk -F, 'NR > 1 { gsub(/"/, "", $1); gsub(/"/, "", $8);
                      printf "%s%s\t%.0f\t%.1f %s\n", $1, ($8 != "" ? " (" $8 ")" : ""), $7, $3, $5 }'
}

echo "| measure | figure |"
echo "|---|---|"

# Copy: ours, the bare loop and cp + sync, interleaved rounds.
# copy_bench prints "  NAME(28 wide) SECONDS s  MIB/S MiB/s  RATIOx the bare loop".
./build/bench/copy_bench "$mib" "$folder" | tail -3 | while IFS= read -r line; do
  name=$(echo "${line:2:28}" | sed -E 's/ +$//')
  read -r seconds _ speed _ ratio _ <<<"${line:30}"
  row "copy $mib MiB: $name" "$seconds s, $speed MiB/s, $ratio the bare loop"
done

gbench pinyin_bench | while IFS=$'\t' read -r name rate _; do row "$name" "$rate titles/s"; done
gbench lists_bench | while IFS=$'\t' read -r name rate wall; do
  row "$name" "$rate songs/s of processor time; $wall a run (wall clock, flushes included)"
done

read -r _ median min max < <(bench/startup_time.sh 7)
row "desktop program: start to start-up window shown (7 runs)" "median $median ms (min $min, max $max)"

# Peak memory of a whole 99-song run of the console program (1 MiB per song,
# videos its probe takes).
work=$(mktemp -d)
for i in $(seq -w 1 99); do ./build/tests/make_test_video "$work/歌曲$i-歌手.mpg" 1048576 "$((10#$i))"; done
/usr/bin/time -v ./build/src/cli/addsongs-cli add --line oru --to "$work/out" "$work"/*.mpg \
  >/dev/null 2>"$work/time.txt"
rss=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$work/time.txt")
elapsed=$(awk -F': ' '/Elapsed/ {print $2}' "$work/time.txt")
rm -rf "$work"
row "99-song run (addsongs-cli add, 99 MiB): peak memory" "$rss KiB (elapsed $elapsed)"
