#!/usr/bin/env bash
# Runs the whole test suite: the full build under CTest, then the core, emulator and database
# tests again under AddressSanitizer and UndefinedBehaviorSanitizer (in a build without the GUI).
# Ends with one line "N passed, N failed, N skipped" over both runs and exits 1 when any failed.
# Under CI (CI=true) every dependency the install script provides must be there: a test that
# would skip for a missing one fails instead (MORVANE_REQUIRE_DEPENDENCIES=1 asks for the same).
set -euo pipefail
cd "$(dirname "$0")/.."
case "${CI:-}" in
  true | 1 | yes) export MORVANE_REQUIRE_DEPENDENCIES=1 ;;
esac
bash scripts/install-deps.sh
bash scripts/build.sh
results="$PWD/build/test-results"
rm -rf "$results"
mkdir -p "$results"
status=0
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 \
  --output-junit "$results/main.xml") || status=1
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DMORVANE_SANITIZE=ON -DMORVANE_GUI=OFF >/dev/null
cmake --build build-asan
(cd build-asan && ctest --output-on-failure -j2 -L 'core|emulator|db' -LE servers \
  --output-junit "$results/sanitizers.xml") || status=1
bash scripts/test-summary.sh "$results"/*.xml || status=1
exit "$status"
