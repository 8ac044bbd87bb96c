#!/usr/bin/env bash
# Runs the tests of the Windows build (preset mingw, built before) under Wine.
#
# The Wine prefix is private to the build (build-mingw/wine-prefix, made
# once). Two folders of the build are mapped as drives: R: removable (the
# "USB disk") and S: fixed; the tests learn their letters from
# ADDSONGS_TEST_USB_DRIVE and ADDSONGS_TEST_FIXED_DRIVE. Arguments go to
# ctest, e.g. scripts/wine-test.sh -R MappedDrives. The window tests need a
# display: without DISPLAY the run goes on a virtual one (xvfb-run).
set -euo pipefail
cd "$(dirname "$0")/.."

# The window tests make real windows: without a display the run goes on a
# virtual one.
if [ -z "${DISPLAY:-}" ] && command -v xvfb-run >/dev/null; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

build=$PWD/build-mingw
export WINEPREFIX=$build/wine-prefix
export WINEDEBUG=-all
# No Mono or Gecko: nothing here needs .NET or a browser engine.
export WINEDLLOVERRIDES="mscoree,mshtml="

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Making the Wine prefix $WINEPREFIX"
  if ! wineboot -i >"$build/wineboot.log" 2>&1; then
    cat "$build/wineboot.log" >&2
    exit 1
  fi
fi
scripts/wine-drive.sh R "$build/wine-drives/usb" removable
scripts/wine-drive.sh S "$build/wine-drives/songs" fixed
export ADDSONGS_TEST_USB_DRIVE=R: ADDSONGS_TEST_FIXED_DRIVE=S:

# The media probe's tests read real videos, made here by the Linux ffmpeg
# program and named to the Windows tests by their Wine path (Z:\ is the
# Linux root).
if [ -f tests/media/make_media.sh ] && command -v ffmpeg >/dev/null; then
  bash tests/media/make_media.sh "$build/test-media"
  media=$build/test-media
  export ADDSONGS_TEST_MEDIA="Z:${media//\//\\}"
fi

# One Wine server for the whole run, so each test program starts fast. Its
# helper programs (services.exe, winedevice.exe ...) are started here, away
# from ctest: started by a test program they would hold its output pipe open
# and ctest would wait for them until its time-out.
wineserver -p
trap 'wineserver -k 2>/dev/null || true' EXIT
wine cmd.exe /c exit </dev/null >/dev/null 2>&1
# Now and then Wine fails to start a test program at all: it ends at once and
# prints nothing. Only such a test is run once more, and said so; a test that
# printed anything failed for real and fails the run.
if ctest --preset mingw "$@"; then exit 0; fi
log=$build/Testing/Temporary/LastTest.log
failed=$build/Testing/Temporary/LastTestsFailed.log
silent=$(python3 - "$log" "$failed" <<'PY'
import re, sys
log = open(sys.argv[1], encoding="utf-8", errors="replace").read()
names = [line.split(":", 1)[1].strip() for line in open(sys.argv[2]) if ":" in line]
silent = []
for name in names:
    block = re.search(r"Testing: " + re.escape(name) + r"\n.*?Output:\n-+\n(.*?)<end of output>",
                      log, re.S)
    if block and not block.group(1).strip():
        silent.append(re.escape(name))
print("|".join(silent))
PY
)
real=$(grep -c ':' "$failed" || true)
silentCount=$([ -n "$silent" ] && echo "$silent" | tr '|' '\n' | wc -l || echo 0)
if [ -z "$silent" ] || [ "$silentCount" -ne "$real" ]; then
  echo "wine-test: tests failed with output of their own: not run again" >&2
  exit 1
fi
echo "wine-test: Wine did not start $silentCount test program(s) (no output at all): running them once more"
ctest --preset mingw -R "^($silent)\$"
