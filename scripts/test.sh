#!/usr/bin/env bash
# Runs the whole test suite: the full build under CTest, then the core tests again
# under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2)
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DMORVANE_SANITIZE=ON -DMORVANE_CORE_ONLY=ON >/dev/null
cmake --build build-asan
(cd build-asan && ctest --output-on-failure -j2 -L core)
