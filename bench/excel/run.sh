#!/usr/bin/env bash
# Table output of 500 tables of 40 columns in own-sheet mode through `morvane-cli excel`
# (bundled template), against libxlsxwriter writing the same cells into a fresh workbook.
# Target: morvane-cli takes at most 2 times as long with the settings of a new project, and at
# most 1.5 times with the standard layout (標準レイアウト, `morvane-cli format --preset standard`).
# Each is run 3 times; the best run counts. The processor time (user + system) of the best run by
# that measure is shown beside it: on a machine shared with other work it varies far less than
# the wall-clock time.
set -euo pipefail
bench="${1:-build/bench/excel/excel_bench}"
cli="${2:-build/src/app/morvane-cli}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$bench" project "$work/large.vnk"

best() {  # best wall-clock seconds and best processor seconds of 3 runs of the command
  local best="" best_cpu="" t
  for _ in 1 2 3; do
    t=$( { TIMEFORMAT='%R %U %S'; time "$@" >/dev/null 2>&1; } 2>&1 )
    best=$(awk -v t="$t" -v b="$best" 'BEGIN { split(t, f, " "); print (b == "" || f[1] < b ? f[1] : b) }')
    best_cpu=$(awk -v t="$t" -v b="$best_cpu" \
      'BEGIN { split(t, f, " "); c = f[2] + f[3]; print (b == "" || c < b ? c : b) }')
  done
  echo "$best $best_cpu"
}

"$cli" format "$work/large.vnk" --preset standard --out "$work/standard.vnk"

compare() {  # label, project, target ratio
  local morvane morvane_cpu xlsxwriter xlsxwriter_cpu ratio cpu_ratio
  read -r morvane morvane_cpu < <(best "$cli" excel "$2" --kind 2 --all-tables \
    --out "$work/morvane.xlsx")
  read -r xlsxwriter xlsxwriter_cpu < <(best "$bench" xlsxwriter "$2" "$work/xlsxwriter.xlsx")
  echo "$1:"
  printf '  morvane-cli excel (whole command): %.3f s (processor %.3f s), %s bytes\n' \
    "$morvane" "$morvane_cpu" "$(stat -c %s "$work/morvane.xlsx")"
  printf '  libxlsxwriter (whole command):     %.3f s (processor %.3f s), %s bytes\n' \
    "$xlsxwriter" "$xlsxwriter_cpu" "$(stat -c %s "$work/xlsxwriter.xlsx")"
  ratio=$(awk -v a="$morvane" -v b="$xlsxwriter" 'BEGIN { printf "%.2f", a / b }')
  cpu_ratio=$(awk -v a="$morvane_cpu" -v b="$xlsxwriter_cpu" 'BEGIN { printf "%.2f", a / b }')
  echo "  ratio: $ratio (target at most $3); of processor time: $cpu_ratio"
}

compare "settings of a new project" "$work/large.vnk" 2
compare "standard layout" "$work/standard.vnk" 1.5
