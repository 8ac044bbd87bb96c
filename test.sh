#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through CTest; then,
# where Wine and MinGW-w64 are installed (CI installs them), the Windows build
# and its tests under Wine, and its installer (NSIS) made and tested under
# Wine; where clang and its libFuzzer are installed, each fuzz target for a
# few seconds (fuzz/run.sh), failing when one of them crashes.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh
bash scripts/ensure-packages.sh "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
cmake --preset default >/dev/null
cmake --build --preset default
# The phrase table's source, so that its test can regenerate it; offline the
# test says it is skipped.
tools/fetch_phrase_data.sh >/dev/null || echo "phrase data not fetched: its table's test is skipped"
ctest --preset default "$@"

if command -v wine >/dev/null && command -v x86_64-w64-mingw32-g++-posix >/dev/null; then
  cmake --preset mingw >/dev/null
  cmake --build --preset mingw
  scripts/wine-test.sh
  scripts/cross-check.sh
  bash scripts/ensure-packages.sh "${INSTALLER_PACKAGES[@]}"
  scripts/installer-test.sh
else
  echo "Windows tests skipped: Wine and MinGW-w64 are not installed" \
    "(packages: ${WINDOWS_PACKAGES[*]})"
fi

installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}
fuzz_ready=yes
for pkg in "${FUZZ_PACKAGES[@]}"; do installed "$pkg" || fuzz_ready=no; done
if [ "$fuzz_ready" = yes ] && command -v clang++ >/dev/null; then
  bash fuzz/run.sh all "${FUZZ_SECONDS:-3}"
else
  echo "Skipped fuzzing: ${FUZZ_PACKAGES[*]} not installed (scripts/ensure-packages.sh installs them)"
fi
