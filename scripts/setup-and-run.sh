#!/usr/bin/env bash
# Installs what Morvane needs, builds it and starts the program on the bundled demo project.
# Without a display (no $DISPLAY) the program is started on a virtual X server for a short
# check that it comes up, and the demo project is summarised by morvane-cli.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
mkdir -p build/demo
demo=build/demo/demo.vnk
[ -f "$demo" ] || ./build/src/app/morvane-cli new oracle8 "$demo"
./build/src/app/morvane-cli info "$demo"

gui=./build/src/app/morvane
if [ ! -x "$gui" ]; then
  echo "morvane (the GUI) was not built; see the CMake output for Qt 6." >&2
  exit 1
fi
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$gui" "$demo"
fi
echo "No display: starting morvane on a virtual X server for 5 seconds."
status=0
xvfb-run -a timeout 5 "$gui" "$demo" || status=$?
if [ "$status" -eq 124 ]; then
  echo "morvane started with $demo and ran until stopped: OK"
else
  echo "morvane stopped early with status $status" >&2
  exit 1
fi
