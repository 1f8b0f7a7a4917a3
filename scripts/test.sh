#!/usr/bin/env bash
# Installs what is missing, builds Zentrix with its tests and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
scripts/build.sh build -DZENTRIX_BUILD_TESTS=ON
cd build
ctest --output-on-failure --timeout 300 -j2
