#!/bin/sh
# scripts/install-odbc-user.sh writes the drivers and demo data sources into a home folder,
# keeps the user's other entries and replaces its own on a second run.
set -eu
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
printf '[Mine]\nDriver = Other Driver\n\n[MorvaneOracle8]\nDriver = stale\n' > "$home/.odbc.ini"
MORVANE_ODBC_HOME=$home bash "$1/scripts/install-odbc-user.sh" "$2" > /dev/null
MORVANE_ODBC_HOME=$home bash "$1/scripts/install-odbc-user.sh" "$2" > /dev/null
test "$(grep -c '^\[MorvaneOracle8\]' "$home/.odbc.ini")" = 1
test "$(grep -c '^\[Morvane Oracle\]' "$home/.odbcinst.ini")" = 1
grep -q '^\[Mine\]' "$home/.odbc.ini"
if grep -q stale "$home/.odbc.ini"; then echo "stale entry kept"; exit 1; fi
# The driver manager lists the installed data sources with their drivers' names.
ODBCSYSINI=/nonexistent ODBCINI=$home/.odbc.ini odbcinst -q -s | grep -q MorvaneBroadbase
echo "1 passed, 0 failed"
