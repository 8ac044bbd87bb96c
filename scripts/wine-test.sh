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

# One Wine server for the whole run, so each test program starts fast. Its
# helper programs (services.exe, winedevice.exe ...) are started here, away
# from ctest: started by a test program they would hold its output pipe open
# and ctest would wait for them until its time-out.
wineserver -p
trap 'wineserver -k 2>/dev/null || true' EXIT
wine cmd.exe /c exit </dev/null >/dev/null 2>&1
# Now and then Wine fails to start a test program at all (it ends within
# milliseconds and prints nothing); such a test is run once more, and a test
# that fails again fails the run.
if ! ctest --preset mingw "$@"; then
  echo "wine-test: running the failed tests once more"
  ctest --preset mingw --rerun-failed
fi
