#!/usr/bin/env bash
# Builds FFmpeg's libavformat, libavcodec and libavutil for 64-bit Windows
# with MinGW-w64: static, LGPL only, just the demuxers and parsers a probe of
# video files needs. The version is the one of the installed libavformat-dev,
# built from Debian's source package ffmpeg of that version, so the Windows
# and the Linux programs read files with the same library.
#
#   scripts/ffmpeg-mingw.sh PREFIX   ->  PREFIX/include, PREFIX/lib/*.a,
#                                        PREFIX/lib/pkgconfig/*.pc,
#                                        PREFIX/share/licenses/ffmpeg/
#
# cmake/FFmpeg.cmake runs it when the mingw preset is configured, with
# PREFIX build-mingw/ffmpeg. It does nothing when PREFIX/ffmpeg.stamp names
# the same version and configure line. Sources, objects and the build's log
# go to PREFIX-build. The source package comes through apt with a private
# list of sources: the machine's own Debian entries turned into deb-src, and
# lists and cache of its own in PREFIX-build/apt, so the machine's apt
# configuration is left as it is and no root is needed.
set -euo pipefail

if [ $# -ne 1 ]; then
  echo "usage: $0 PREFIX" >&2
  exit 2
fi
mkdir -p "$1"
prefix=$(realpath "$1")
# Its include, lib and share folders are emptied before a build.
if [ "$prefix" = / ]; then
  echo "$0: the prefix must be a folder of its own, not /" >&2
  exit 2
fi
work=$prefix-build
log=$work/build.log
triple=x86_64-w64-mingw32
say() { echo "ffmpeg-mingw: $*" >&2; }

version=$(dpkg-query -W -f='${source:Version}' libavformat-dev 2>/dev/null || true)
source_package=$(dpkg-query -W -f='${source:Package}' libavformat-dev 2>/dev/null || true)
if [ -z "$version" ] || [ "$source_package" != ffmpeg ]; then
  say "libavformat-dev is not installed: its version is the FFmpeg built for Windows" \
    "(install libavformat-dev; scripts/packages.sh names it in BUILD_PACKAGES)"
  exit 1
fi
for tool in "$triple-gcc-posix" make dpkg-source apt-get; do
  command -v "$tool" >/dev/null || {
    say "$tool is missing (scripts/packages.sh: WINDOWS_PACKAGES)"
    exit 1
  }
done

# Only what reading the containers of video files takes. No assembly
# (--disable-x86asm): demuxing and parsing gain nothing from FFmpeg's SIMD
# code, and nasm would be one more tool to install. Threads are Windows' own
# (--enable-w32threads), so the libraries need no libwinpthread of their own;
# the compiler is the programs' (-posix), with the same C runtime (msvcrt).
# --disable-autodetect keeps out every external library (zlib, bzlib, iconv,
# the hardware APIs) and with it anything beyond the system's DLLs. The
# extra version is Debian's revision, as in the Linux library's version
# ("5.1.9-0+deb12u1").
# shellcheck disable=SC2054 # the commas separate FFmpeg's component names
configure_args=(
  --prefix="$prefix" --extra-version="${version#*-}"
  --target-os=mingw32 --arch=x86_64 --enable-cross-compile
  --cross-prefix="$triple-" --cc="$triple-gcc-posix"
  --enable-static --disable-shared
  --disable-autodetect --enable-w32threads
  --disable-programs --disable-doc --disable-network --disable-debug --disable-x86asm
  --disable-avdevice --disable-avfilter --disable-swresample --disable-swscale --disable-postproc
  --disable-everything
  --enable-demuxer=mpegps,mpegts,mpegvideo,mov,matroska,avi,asf,flv
  --enable-parser=mpegvideo,mpegaudio,ac3,aac,h264,hevc,mpeg4video,vc1,dca
)
stamp=$prefix/ffmpeg.stamp
wanted="ffmpeg $version: configure ${configure_args[*]}"
if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$wanted" ]; then
  exit 0
fi
started=$SECONDS
rm -rf "${prefix:?}"/include "${prefix:?}"/lib "${prefix:?}"/share "$stamp"
mkdir -p "$work"
: >"$log"

# The Debian entries of the machine's apt sources (those whose suites are
# the release's: bookworm, bookworm-updates, bookworm-security ...), as
# deb-src entries in a private apt folder; apt_dir and apt name it.
private_apt() {
  codename=$(sed -n 's/^VERSION_CODENAME=//p' /etc/os-release 2>/dev/null | tr -d '"' || true)
  if [ -z "$codename" ]; then
    say "/etc/os-release names no release (VERSION_CODENAME)"
    exit 1
  fi
  apt_dir=$work/apt
  rm -rf "$apt_dir"
  mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
  for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$file" ] || continue
    awk -v codename="$codename" '
      $1 == "deb" {
        line = $0
        sub(/^[ \t]*deb[ \t]+/, "", line)
        options = ""
        if (line ~ /^\[/) {
          end = index(line, "]")
          options = substr(line, 1, end) " "
          line = substr(line, end + 1)
        }
        n = split(line, word, /[ \t]+/)
        i = word[1] == "" ? 2 : 1
        suite = word[i + 1]
        if (suite != codename && index(suite, codename "-") != 1 && index(suite, codename "/") != 1) next
        out = "deb-src " options word[i]
        for (j = i + 1; j <= n; j++) out = out " " word[j]
        print out
      }' "$file"
  done >"$apt_dir/sources.list"
  for file in /etc/apt/sources.list.d/*.sources; do
    [ -f "$file" ] || continue
    # Deb822 stanzas: Types and Suites rewritten, every other field (Signed-By
    # with its continuation lines too) kept as it is.
    awk -v codename="$codename" '
      function ours(suite) {
        return suite == codename || index(suite, codename "-") == 1 || index(suite, codename "/") == 1
      }
      BEGIN { RS = ""; FS = "\n" }
      {
        types = ""; suites = ""; enabled = "yes"; body = ""; field = ""
        for (i = 1; i <= NF; i++) {
          line = $i
          if (line ~ /^#/) continue
          if (line ~ /^[ \t]/) {
            if (field != "types" && field != "suites" && field != "enabled") body = body "\n" line
            continue
          }
          field = line; sub(/:.*/, "", field); field = tolower(field)
          value = line; sub(/^[^:]*:[ \t]*/, "", value)
          if (field == "types") types = value
          else if (field == "suites") suites = value
          else if (field == "enabled") enabled = tolower(value)
          else body = body "\n" line
        }
        if (enabled == "no" || (" " types " ") !~ /[ \t]deb[ \t]/) next
        n = split(suites, suite, /[ \t]+/)
        kept = ""
        for (j = 1; j <= n; j++) if (suite[j] != "" && ours(suite[j])) kept = kept " " suite[j]
        if (kept == "") next
        printf "Types: deb-src\nSuites:%s%s\n\n", kept, body
      }' "$file" >"$apt_dir/sources.list.d/$(basename "$file")"
    [ -s "$apt_dir/sources.list.d/$(basename "$file")" ] || rm "$apt_dir/sources.list.d/$(basename "$file")"
  done
  if ! grep -qs . "$apt_dir/sources.list" "$apt_dir"/sources.list.d/*; then
    say "no Debian entry ($codename) in /etc/apt/sources.list or /etc/apt/sources.list.d/"
    exit 1
  fi
  apt=(apt-get -q
    -o Dir::Etc::SourceList="$apt_dir/sources.list"
    -o Dir::Etc::SourceParts="$apt_dir/sources.list.d"
    -o Dir::State::Lists="$apt_dir/lists"
    -o Dir::Cache="$apt_dir/cache")
}

source_dir=$work/ffmpeg-${version#*:}
if [ ! -d "$source_dir" ]; then
  say "fetching Debian's source package ffmpeg $version"
  private_apt
  if ! "${apt[@]}" update >>"$log" 2>&1; then
    tail -n 30 "$log" >&2
    say "apt-get update of the private deb-src list failed (log: $log)"
    exit 1
  fi
  download=$work/download
  rm -rf "$download" "$source_dir"
  mkdir -p "$download"
  if ! (cd "$download" && "${apt[@]}" source --download-only "ffmpeg=$version") >>"$log" 2>&1; then
    tail -n 30 "$log" >&2
    say "apt-get source ffmpeg=$version failed (log: $log)"
    exit 1
  fi
  # apt checked the files against the signed Release file; dpkg-source
  # unpacks them and applies Debian's patches. The tree gets its name once
  # it is whole.
  rm -rf "$source_dir.partial"
  dpkg-source -x "$download/ffmpeg_${version#*:}.dsc" "$source_dir.partial" >>"$log" 2>&1 || {
    tail -n 30 "$log" >&2
    say "dpkg-source could not unpack ffmpeg $version (log: $log)"
    exit 1
  }
  mv "$source_dir.partial" "$source_dir"
  # dpkg-source leaves a copy of the upstream tarball beside the tree.
  rm -rf "$download" "$work"/ffmpeg_*.orig.tar.*
fi
fetched=$SECONDS

say "building FFmpeg ${version#*:} for Windows (log: $log)"
objects=$work/build
rm -rf "$objects"
mkdir -p "$objects"
if ! (cd "$objects" && "$source_dir/configure" "${configure_args[@]}" &&
      make -j"$(nproc)" && make install) >>"$log" 2>&1; then
  tail -n 40 "$log" >&2
  say "the build failed (log: $log)"
  exit 1
fi
# The licence that the Windows installer ships beside the programs.
mkdir -p "$prefix/share/licenses/ffmpeg"
cp "$source_dir/COPYING.LGPLv2.1" "$prefix/share/licenses/ffmpeg/"
printf '%s\n' "$wanted" >"$stamp"
say "FFmpeg ${version#*:} built in $((SECONDS - started)) s" \
  "(source fetched in $((fetched - started)) s, configured and compiled in $((SECONDS - fetched)) s)"
