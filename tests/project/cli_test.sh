#!/usr/bin/env bash
# End-to-end checks of morvane-cli: new, resave and info on real files, and its failures.
set -euo pipefail
cli="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

for product in redbrick oracle8 oracle7 broadbase odbc; do
  "$cli" new "$product" "$work/$product.vnk"
  "$cli" resave "$work/$product.vnk" "$work/$product.again.vnk"
  cmp "$work/$product.vnk" "$work/$product.again.vnk" || fail "$product resave differs"
done

"$cli" info "$work/oracle7.vnk" >"$work/info.txt"
grep -q "データベース: Oracle 7" "$work/info.txt" || fail "info names the product"
grep -q "「シート1」" "$work/info.txt" || fail "info lists the sheet"
"$cli" info "$work/odbc.vnk" | grep -q "データベース: ODBC" || fail "info names the ODBC product"

set +e
"$cli" info "$work/missing.vnk" 2>"$work/err.txt"; rc=$?
set -e
[ "$rc" -ne 0 ] || fail "missing file exits non-zero"
grep -q "を開けませんでした。" "$work/err.txt" || fail "missing file message"

printf '\x01Velnorak\x02280\x02\r\n\x01TABLE_VALUE\x02\r\nx\x02\r\n' >"$work/broken.vnk"
set +e
"$cli" resave "$work/broken.vnk" "$work/out.vnk" 2>"$work/err.txt"; rc=$?
set -e
[ "$rc" -eq 1 ] || fail "broken file exits 1"
grep -q "ファイルの読み込みに失敗しました。" "$work/err.txt" || fail "broken file message"
grep -q "3行目: TABLE_VALUE の前に TABLE がありません。" "$work/err.txt" || fail "detail"
[ ! -e "$work/out.vnk" ] || fail "nothing is written after a failed open"

set +e
"$cli" new db2 "$work/x.vnk" 2>/dev/null; rc=$?
set -e
[ "$rc" -eq 2 ] || fail "unknown product is a usage error"
echo "cli ok"
