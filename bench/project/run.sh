#!/usr/bin/env bash
# Saves, opens and re-saves the large benchmark project, each in its own process.
# Targets: each step under 1 second, peak memory under 3 times the file size.
set -euo pipefail
bench="${1:-build/bench/project/project_bench}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$bench" save "$work/large.vnk"
"$bench" open "$work/large.vnk"
"$bench" resave "$work/large.vnk" "$work/again.vnk"
cmp "$work/large.vnk" "$work/again.vnk" && echo "re-saved file is byte-identical"
rm -f "$work/large.vnk" "$work/again.vnk"
# Unusual files: 10,000 ER sheets (opening must stay linear), and a 50 MB line of empty fields
# (peak memory must stay within 3 times the file size).
"$bench" sheets "$work/sheets.vnk"
"$bench" open "$work/sheets.vnk"
"$bench" wide "$work/wide.vnk"
"$bench" open "$work/wide.vnk"
