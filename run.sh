#!/usr/bin/env bash
# Installs what is missing, builds, and starts the desktop program.
#   ./run.sh               the desktop program (needs a display)
#   ./run.sh --cli ARGS    the console program addsongs-cli with ARGS (default: its help)
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh
bash scripts/ensure-packages.sh "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
cmake --preset default >/dev/null
if [ "${1:-}" = "--cli" ]; then
  shift
  cmake --build --preset default --target addsongs-cli
  if [ $# -eq 0 ]; then set -- --help; fi
  exec ./build/src/cli/addsongs-cli "$@"
fi
cmake --build --preset default --target addsongs
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display to open a window on. The console program works without one:" >&2
  echo "  ./run.sh --cli --help" >&2
  exit 2
fi
exec ./build/src/qt/addsongs "$@"
