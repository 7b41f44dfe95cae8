#!/usr/bin/env bash
# Installs what Morvane needs, builds it and runs the main job on the bundled demo.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
mkdir -p build/demo
./build/src/app/morvane-cli new oracle8 build/demo/demo.vnk
./build/src/app/morvane-cli info build/demo/demo.vnk
