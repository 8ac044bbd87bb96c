#!/usr/bin/env bash
# Makes the 99 real videos the media benchmark adds, with Debian's ffmpeg,
# into FOLDER (default build/bench-media), once: a third each VCDs (MPEG-1,
# one stereo stream), DVDs (MPEG-2 program streams, two AC-3 streams) and
# H.264 in MP4, 40 seconds each, every one different.
#   bench/media_files.sh [FOLDER]
set -euo pipefail
folder=${1:-build/bench-media}
mkdir -p "$folder"
[ -f "$folder/done" ] && exit 0
ff() { ffmpeg -nostdin -hide_banner -loglevel error -y "$@"; }
for i in $(seq 0 98); do
  picture="-f lavfi -i testsrc2=size=352x288:rate=25:duration=40,hue=h=$((i * 7))"
  tone="-f lavfi -i sine=frequency=$((300 + i * 5)):sample_rate=44100:duration=40"
  name=$(printf 'song%02d-singer%02d' "$i" "$i")
  case $((i % 3)) in
    0) ff $picture $tone -ac 2 -target pal-vcd "$folder/$name.mpg" ;;
    1) ff $picture $tone -f lavfi -i "sine=frequency=$((500 + i)):duration=40" \
         -map 0:v -map 1:a -map 2:a -c:v mpeg2video -b:v 3M -c:a ac3 -ac 2 -f dvd \
         "$folder/$name.mpg" ;;
    2) ff $picture $tone -c:v libx264 -preset veryfast -c:a aac "$folder/$name.mp4" ;;
  esac
done
touch "$folder/done"
