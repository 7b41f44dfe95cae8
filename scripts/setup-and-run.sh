#!/usr/bin/env bash
# Installs what Morvane needs, builds it, reads the catalogue of the bundled demo database
# (the catalogue emulator's Oracle 8 data source) into a demo project, and starts the program
# on it. Without a display (no $DISPLAY) the program is started on a virtual X server for a
# short check that it comes up, after the demo project has been summarised by morvane-cli.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh

# The emulator's driver and demo data sources, registered in the build tree.
export ODBCSYSINI="$PWD/build/odbc"
export ODBCINI="$PWD/build/odbc/odbc.ini"

cli=./build/src/app/morvane-cli
mkdir -p build/demo
demo=build/demo/demo.vnk
MORVANE_PWD=tiger "$cli" fetch --dsn MorvaneOracle8 --uid scott --product oracle8 \
  --kinds 2,3,4 --out "$demo"
"$cli" info "$demo"

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
