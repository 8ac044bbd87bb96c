#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through CTest; then,
# where clang and its libFuzzer are installed, each fuzz target for a few
# seconds (fuzz/run.sh), failing when one of them crashes.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh
bash scripts/ensure-packages.sh "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
cmake --preset default >/dev/null
cmake --build --preset default
ctest --preset default "$@"

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
