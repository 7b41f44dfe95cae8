#!/bin/sh
# unixODBC's isql against the demo data sources: the tables are listed, a wrong password is
# refused with the server's message.
set -u
fail=0
check() {  # description, output, expected text
  if printf '%s' "$2" | grep -q -- "$3"; then
    echo "ok: $1"
  else
    echo "FAILED: $1 (no \"$3\" in output)"
    printf '%s\n' "$2" | head -20
    fail=1
  fi
}
for dsn in "MorvaneOracle8 scott tiger" "MorvaneOracle7 scott tiger" "MorvaneRedBrick sales sales" \
           "MorvaneBroadbase sales sales"; do
  # shellcheck disable=SC2086
  out=$(printf 'help\n' | isql -b $dsn 2>&1)
  check "$dsn lists ORDERS" "$out" "ORDERS"
  check "$dsn lists CUSTOMERS" "$out" "CUSTOMERS"
  check "$dsn lists V_ORDER_SUMMARY" "$out" "V_ORDER_SUMMARY"
done
out=$(printf 'SELECT COUNT(*) FROM ORDER_DETAILS\n' | isql -b -v MorvaneOracle8 scott tiger 2>&1)
check "count statement" "$out" "| 3"
out=$(printf 'help\n' | isql -b -v MorvaneOracle8 scott lion 2>&1)
check "wrong password refused" "$out" "ORA-01017: invalid username/password; logon denied"
exit $fail
