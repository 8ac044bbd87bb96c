#!/usr/bin/env bash
# Builds the Release configuration and the Debian package:
#   scripts/make-deb.sh      ->  build-release/addsongs_<version>_<arch>.deb
# Install it with: sudo apt install ./build-release/addsongs_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
bash scripts/ensure-packages.sh "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}" \
  "${PACKAGE_PACKAGES[@]}"
cmake --preset release >/dev/null
cmake --build --preset release
(cd build-release && cpack -G DEB)
ls -l build-release/addsongs_*.deb
