#!/usr/bin/env bash
# Compares two projects of 5,000 tables x 40 columns, in a process of its own, and the same
# through morvane-cli as the user runs it.
# Targets: the comparison under 1 second and under 2 times the memory of the two files.
set -euo pipefail
bench="${1:-build/bench/diff/diff_bench}"
cli="${2:-build/src/app/morvane-cli}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$bench" make "$work/old.vnk" "$work/new.vnk"
"$bench" compare "$work/old.vnk" "$work/new.vnk"
/usr/bin/time -f "morvane-cli diff: %e s in all (reading both files included), peak %M KB" \
  "$cli" diff "$work/old.vnk" "$work/new.vnk" --format tsv >"$work/changes.tsv" || test $? -eq 1
wc -l <"$work/changes.tsv" | sed 's/^/changes listed: /'
