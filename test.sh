#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through CTest; then,
# where Wine and MinGW-w64 are installed (CI installs them), the Windows build
# and its tests under Wine.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh
bash scripts/ensure-packages.sh "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
cmake --preset default >/dev/null
cmake --build --preset default
ctest --preset default "$@"

if command -v wine >/dev/null && command -v x86_64-w64-mingw32-g++-posix >/dev/null; then
  cmake --preset mingw >/dev/null
  cmake --build --preset mingw
  scripts/wine-test.sh
  scripts/cross-check.sh
else
  echo "Windows tests skipped: Wine and MinGW-w64 are not installed" \
    "(packages: ${WINDOWS_PACKAGES[*]})"
fi
