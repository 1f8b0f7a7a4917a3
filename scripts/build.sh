#!/usr/bin/env bash
# Configures and builds Zentrix into a build folder.
# Usage: scripts/build.sh <build-dir> [cmake options...]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=$1
shift
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$build_dir" -j2
