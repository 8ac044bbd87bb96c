#!/usr/bin/env bash
# Cross-builds the Windows programs (preset mingw) and makes their installer
# with CPack's NSIS generator:
#   scripts/make-installer.sh   ->  build-mingw/addsongs-<version>-setup.exe
# Run it on Windows by double-click, or silently: addsongs-<version>-setup.exe /S
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
bash scripts/ensure-packages.sh "${BUILD_PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}" "${INSTALLER_PACKAGES[@]}"
cmake --preset mingw >/dev/null
cmake --build --preset mingw
(cd build-mingw && cpack -G NSIS >/dev/null)
ls -l build-mingw/addsongs-*-setup.exe
