#!/usr/bin/env bash
# Pictures of every window of the Windows desktop program, taken under Wine
# on a virtual display with a window manager (so that captions show), with a
# USB disk R: that holds a song list:
#   scripts/win32-screenshots.sh [OUTPUT_FOLDER]   (default: build-mingw/screenshots)
# The Wine prefix is private (build-mingw/wine-screens); Chinese shows in the
# WenQuanYi Zen Hei font, linked into the prefix and standing in for the
# Chinese fonts of Windows by Wine's font replacements.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-build-mingw/screenshots}")
build=$PWD/build-mingw
bash scripts/ensure-packages.sh xvfb xauth openbox imagemagick fonts-wqy-zenhei
[ -f "$build/build.ninja" ] || cmake --preset mingw >/dev/null
cmake --build --preset mingw --target addsongs-win32-screenshots addsongs

export WINEPREFIX=$build/wine-screens WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
font=/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Making the Wine prefix $WINEPREFIX"
  wineboot -i >"$build/wineboot-screens.log" 2>&1
fi
mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
ln -sf "$font" "$WINEPREFIX/drive_c/windows/Fonts/wqy-zenhei.ttc"
for face in "Microsoft YaHei" "SimSun" "宋体" "NSimSun" "Tahoma" "MS Shell Dlg" "MS Shell Dlg 2"; do
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /t REG_SZ \
    /d "WenQuanYi Zen Hei" /f >/dev/null 2>&1
done
wineserver -w
# A USB disk R: with two songs in its vod folder, for the stick's strip
# above the grid (wine-drive.sh stops the server: the driver sees the drive).
stick=$build/wine-screens-usb
rm -rf "$stick"
mkdir -p "$stick/vod"
cp tests/fixtures/oru_vod.txt "$stick/vod/vod.txt"
printf 'x' > "$stick/vod/660001.dat"
printf 'x' > "$stick/vod/660002.dat"
scripts/wine-drive.sh R "$stick" removable

rm -rf "$out"
mkdir -p "$out"
songs=$(mktemp -d)
trap 'rm -rf "$songs"' EXIT
printf 'first song' > "$songs/情歌-歌手甲.mpg"
head -c 20000 /dev/zero | tr '\0' 'v' > "$songs/夜曲-歌手乙.avi"
printf 'x' > "$songs/海风-林一.vob"

# The driver writes NAME.ready when a window is up and waits for NAME.done.
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  out=$1 songs=$2 build=$3
  openbox >/dev/null 2>&1 &
  sleep 1
  wine "$build/bin/addsongs-win32-screenshots.exe" "Z:$out" "Z:$songs" &
  driver=$!
  while kill -0 $driver 2>/dev/null; do
    for ready in "$out"/*.ready; do
      [ -e "$ready" ] || continue
      name=${ready%.ready}
      [ -e "$name.done" ] && continue
      sleep 0.3
      import -window root "$name.png"
      touch "$name.done"
    done
    sleep 0.2
  done
  wait $driver
' shots "$out" "$songs" "$build"
rm -f "$out"/*.ready "$out"/*.done
wineserver -k 2>/dev/null || true
ls "$out"
