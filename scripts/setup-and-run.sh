#!/usr/bin/env bash
# Installs what Morvane needs, builds it, reads the catalogue of the bundled demo database
# (the catalogue emulator's Oracle 8 data source) into a demo project, and starts the program
# on it, after writing the demo's documents into build/demo: the table-definition workbook of
# every table and an ER diagram workbook of the order tables. Without a display (no $DISPLAY)
# the program is started on a virtual X server for a short check that it comes up, after the
# demo project has been summarised by morvane-cli.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
# Only the programs, the emulator and its demo databases: the tests and benchmarks are built by
# scripts/test.sh.
bash scripts/build.sh morvane_programs

# The emulator's driver and demo data sources, registered in the build tree.
export ODBCSYSINI="$PWD/build/odbc"
export ODBCINI="$PWD/build/odbc/odbc.ini"

cli=./build/src/app/morvane-cli
mkdir -p build/demo
demo=build/demo/demo.vnk
MORVANE_PWD=tiger "$cli" fetch --dsn MorvaneOracle8 --uid scott --product oracle8 \
  --kinds 2,3,4 --out "$demo"
"$cli" info "$demo"

# The demo's documents, from the bundled template with the standard layout (標準レイアウト):
# every table on its own sheet, and the ER sheet 受注 (orders with their customers, details and
# products) as a diagram on the template's "ER図" sheet, each box sized to its content.
"$cli" format "$demo" --preset standard
"$cli" excel "$demo" --kind 2 --all-tables --out build/demo/demo-tables.xlsx
"$cli" er-place "$demo" --sheet 受注 \
  --table CUSTOMERS@20,20 --table ORDERS@300,20 \
  --table ORDER_DETAILS@580,20 --table PRODUCTS@580,260 \
  --line ORDERS:CUSTOMERS --line ORDER_DETAILS:ORDERS --line ORDER_DETAILS:PRODUCTS \
  --fit --out "$demo"
"$cli" excel "$demo" --sheet ER図 --er 受注 --out build/demo/demo-er.xlsx

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
