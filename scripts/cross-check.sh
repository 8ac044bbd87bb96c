#!/usr/bin/env bash
# The same song files added by the Linux and the Windows console program (the
# latter under Wine) give the same vod.txt and .dat bytes, for all four
# product lines. Needs the default and the mingw builds and the Wine prefix
# that scripts/wine-test.sh makes.
set -euo pipefail
cd "$(dirname "$0")/.."
export WINEPREFIX=$PWD/build-mingw/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
make_video=./build/tests/make_test_video
[ -x "$make_video" ] || { echo "build $make_video first (cmake --build --preset default)" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/songs"
# Videos the programs' media probe takes, each different.
"$make_video" "$work/songs/情歌-歌手甲.mpg" 1000 1
"$make_video" "$work/songs/夜曲-歌手乙.avi" 20000 2
"$make_video" "$work/songs/海风-林一.vob" 500 3
failed=0
for line in oru tarvel mirel dovan; do
  ./build/src/cli/addsongs-cli add --line "$line" --start 0100 --to "$work/linux-$line" \
    "$work"/songs/* >/dev/null
  # Wine sees the Linux root as drive Z:.
  wine build-mingw/bin/addsongs-cli.exe add --line "$line" --start 0100 \
    --to "Z:$work/windows-$line" "$work"/songs/* >/dev/null
  if diff -r "$work/linux-$line/vod" "$work/windows-$line/vod" >/dev/null; then
    echo "cross-check $line: the same vod.txt and .dat files on Linux and Windows"
  else
    echo "cross-check $line: Linux and Windows differ" >&2
    diff -r "$work/linux-$line/vod" "$work/windows-$line/vod" >&2 || true
    failed=1
  fi
done
exit $failed
