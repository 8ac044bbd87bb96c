#!/usr/bin/env bash
# How many titles of a list the reading by words changes: each title of
# bench/ktv_titles.txt (or FILE) read by addsongs-cli pinyin, by words and per
# character. Prints every changed title as "title<TAB>per-character<TAB>by
# words", then "phrase_share changed total percent".
#   bench/phrase_share.sh [FILE]     (needs build/src/cli/addsongs-cli)
set -euo pipefail
cd "$(dirname "$0")/.."
list="${1:-bench/ktv_titles.txt}"
cli=./build/src/cli/addsongs-cli
[ -x "$cli" ] || { echo "build $cli first (cmake --build --preset default)" >&2; exit 2; }
total=0
changed=0
while IFS= read -r title; do
  case "$title" in '' | '#'*) continue ;; esac
  total=$((total + 1))
  words=$("$cli" pinyin -- "$title")
  characters=$("$cli" pinyin --per-character -- "$title")
  if [ "$words" != "$characters" ]; then
    changed=$((changed + 1))
    printf '%s\t%s\t%s\n' "$title" "$characters" "$words"
  fi
done <"$list"
awk -v c="$changed" -v t="$total" 'BEGIN { printf "phrase_share %d %d %.1f\n", c, t, t ? 100 * c / t : 0 }'
