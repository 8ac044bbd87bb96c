#!/usr/bin/env bash
# Installs what is missing, builds, and starts the desktop program.
#   ./run.sh               the desktop program (needs a display)
#   ./run.sh --cli ARGS    the console program addsongs-cli with ARGS (default: its help)
# Paths in ARGS are taken from the folder run.sh is called in.
set -euo pipefail
repo=$(cd "$(dirname "$0")" && pwd)
build() {
  (cd "$repo" && source scripts/packages.sh &&
    bash scripts/ensure-packages.sh "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}" &&
    cmake --preset default >/dev/null && cmake --build --preset default --target "$1")
}
if [ "${1:-}" = "--cli" ]; then
  shift
  build addsongs-cli
  if [ $# -eq 0 ]; then set -- --help; fi
  exec "$repo/build/src/cli/addsongs-cli" "$@"
fi
build addsongs
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display to open a window on. The console program works without one:" >&2
  echo "  ./run.sh --cli --help" >&2
  exit 2
fi
exec "$repo/build/src/qt/addsongs" "$@"
