#!/usr/bin/env bash
# Table output of 500 tables of 40 columns in own-sheet mode through `morvane-cli excel`
# (bundled template), against libxlsxwriter writing the same cells into a fresh workbook.
# Target: morvane-cli takes at most 2 times as long with the settings of a new project, and at
# most 1.5 times with the standard layout (標準レイアウト, `morvane-cli format --preset standard`).
# Each is run 3 times; the best run counts.
set -euo pipefail
bench="${1:-build/bench/excel/excel_bench}"
cli="${2:-build/src/app/morvane-cli}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$bench" project "$work/large.vnk"

best() {  # best wall-clock seconds of 3 runs of the command
  local best="" t
  for _ in 1 2 3; do
    t=$( { TIMEFORMAT=%R; time "$@" >/dev/null 2>&1; } 2>&1 )
    best=$(awk -v a="$t" -v b="${best:-$t}" 'BEGIN { print (a < b ? a : b) }')
  done
  echo "$best"
}

"$cli" format "$work/large.vnk" --preset standard --out "$work/standard.vnk"

compare() {  # label, project, target ratio
  local morvane xlsxwriter ratio
  morvane=$(best "$cli" excel "$2" --kind 2 --all-tables --out "$work/morvane.xlsx")
  xlsxwriter=$(best "$bench" xlsxwriter "$2" "$work/xlsxwriter.xlsx")
  echo "$1:"
  printf '  morvane-cli excel (whole command): %.3f s, %s bytes\n' "$morvane" \
    "$(stat -c %s "$work/morvane.xlsx")"
  printf '  libxlsxwriter (whole command):     %.3f s, %s bytes\n' "$xlsxwriter" \
    "$(stat -c %s "$work/xlsxwriter.xlsx")"
  ratio=$(awk -v a="$morvane" -v b="$xlsxwriter" 'BEGIN { printf "%.2f", a / b }')
  echo "  ratio: $ratio (target at most $3)"
}

compare "settings of a new project" "$work/large.vnk" 2
compare "standard layout" "$work/standard.vnk" 1.5
