#!/usr/bin/env bash
# Configures and builds the release tree in build/: everything, or only the targets named
# (e.g. `bash scripts/build.sh morvane_programs`).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
targets=()
for target in "$@"; do targets+=(--target "$target"); done
cmake --build build "${targets[@]}"
