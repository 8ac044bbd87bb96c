#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program.
# Arguments are handed to the program (default: its help).
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh
bash scripts/ensure-packages.sh "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
cmake --preset default >/dev/null
cmake --build --preset default --target addsongs-cli
if [ $# -eq 0 ]; then set -- --help; fi
exec ./build/src/cli/addsongs-cli "$@"
