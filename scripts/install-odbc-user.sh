#!/usr/bin/env bash
# Installs the catalogue emulator's ODBC drivers and demo data sources into the user's own
# ~/.odbcinst.ini and ~/.odbc.ini (no root needed), so that the GUI lists them like any
# other data source. Run after building; run again after moving the build folder.
#   bash scripts/install-odbc-user.sh [build-folder]
# MORVANE_ODBC_HOME names another folder to write the two files into (used by the tests).
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(cd "${1:-build}" && pwd)
source_dir=$build/odbc
for f in odbcinst.ini odbc.ini; do
  if [ ! -f "$source_dir/$f" ]; then
    echo "missing $source_dir/$f: build the project first (bash scripts/build.sh)" >&2
    exit 1
  fi
done
# unixODBC reads the user files from the home folder of the account, not from $HOME.
home=${MORVANE_ODBC_HOME:-$(getent passwd "$(id -u)" | cut -d: -f6)}

# Replaces the sections that `source` defines in `target` (keeping all others) by the
# source's sections.
merge() {
  local target=$1 source=$2
  touch "$target"
  local names
  names=$(grep -o '^\[[^]]*\]' "$source" | tr '\n' '|')
  awk -v names="$names" '
    /^\[/ { skip = index(names, $0 "|") > 0 }
    !skip { print }
  ' "$target" > "$target.tmp"
  { cat "$target.tmp"; echo; cat "$source"; } > "$target"
  rm -f "$target.tmp"
}

merge "$home/.odbcinst.ini" "$source_dir/odbcinst.ini"
merge "$home/.odbc.ini" "$source_dir/odbc.ini"
echo "Installed the Morvane drivers into $home/.odbcinst.ini and the demo data sources"
echo "(MorvaneRedBrick, MorvaneOracle8, MorvaneOracle7, MorvaneBroadbase) into $home/.odbc.ini."
