#!/usr/bin/env bash
# The Windows installer: the mingw build packed by CPack's NSIS generator
# into build-mingw/addsongs-5.0-win64.exe (makensis of Debian's nsis).
#   scripts/make-installer.sh
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/ensure-packages.sh nsis
cmake --preset mingw >/dev/null
cmake --build --preset mingw --target addsongs addsongs-cli OruStroke
# makensis reads cmake/nsis/nsisconf.nsh first: a 64-bit Unicode installer.
(cd build-mingw && NSISCONFDIR=$PWD/../cmake/nsis cpack -G NSIS >/dev/null)
ls -l build-mingw/addsongs-*-win64.exe
