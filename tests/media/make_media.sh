#!/bin/sh
# Makes the media the probe's tests read, with Debian's ffmpeg program, into
# the folder given: short real videos of the kinds jukebox owners add, and
# broken ones. Without ffmpeg it makes nothing and says so; the tests skip.
set -eu
out=$1
mkdir -p "$out"
if ! command -v ffmpeg >/dev/null 2>&1; then
  echo "ffmpeg is not installed: no test media made" >&2
  exit 0
fi
if [ -f "$out/done" ]; then exit 0; fi
ff() { ffmpeg -nostdin -hide_banner -loglevel error -y "$@"; }
picture="-f lavfi -i testsrc=size=352x240:rate=25:duration=3"
tone() { echo "-f lavfi -i sine=frequency=$1:sample_rate=44100:duration=3"; }

# A VCD: MPEG-1 video and one stereo MPEG audio stream (伴唱 left, 原唱 right).
ff $picture $(tone 440) -ac 2 -target pal-vcd "$out/vcd.mpg"
# A DVD: MPEG-2 program stream with two audio streams.
ff $picture $(tone 440) $(tone 660) -map 0:v -map 1:a -map 2:a \
  -c:v mpeg2video -c:a ac3 -ac 2 -b:a 128k -f dvd "$out/dvd.mpg"
# A single-channel VCD.
ff $picture $(tone 440) -ac 1 -c:v mpeg1video -c:a mp2 -f mpeg "$out/mono.mpg"
# H.264 in MP4, its index at the end as most tools write it, and at the start.
ff $picture $(tone 440) -c:v libx264 -preset ultrafast -c:a aac "$out/h264.mp4"
ff $picture $(tone 440) -c:v libx264 -preset ultrafast -c:a aac -movflags +faststart \
  "$out/h264_faststart.mp4"
# Matroska with two audio streams.
ff $picture $(tone 440) $(tone 660) -map 0:v -map 1:a -map 2:a -c:v mpeg2video -c:a mp2 \
  "$out/two_audio.mkv"
# A whole song's length, to see that a probe reads only its start and end.
ff -f lavfi -i testsrc=size=352x288:rate=25:duration=60 $(tone 440) -ac 2 -t 60 -target pal-vcd \
  "$out/long.mpg"
# Cut-off downloads.
cut() { head -c $(($(wc -c < "$1") * $2 / 100)) "$1" > "$3"; }
cut "$out/h264.mp4" 60 "$out/truncated.mp4"
cut "$out/h264_faststart.mp4" 60 "$out/truncated_faststart.mp4"
cut "$out/dvd.mpg" 60 "$out/truncated.mpg"
# Not videos, named as videos: a web page, a song without pictures, nothing.
printf '<html><body>404 Not Found</body></html>\n' > "$out/page.mpg"
ff $(tone 440) -c:a libmp3lame -f mp3 "$out/song_mp3.mpg"
: > "$out/empty.mpg"
touch "$out/done"
