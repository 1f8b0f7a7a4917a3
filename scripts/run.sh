#!/usr/bin/env bash
# Installs what is missing, builds Zentrix and starts it with the simulated
# module. Without a display it runs under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh run
scripts/build.sh build
exec build/bin/Zentrix
