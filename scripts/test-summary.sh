#!/usr/bin/env bash
# Prints "N passed, N failed, N skipped" over CTest's JUnit files (ctest --output-junit) and
# exits 1 when a test failed or a file is missing. Tests that did not run count as failed.
set -euo pipefail
python3 - "$@" <<'PY'
import sys
import xml.etree.ElementTree as ET

passed = failed = skipped = 0
for path in sys.argv[1:]:
    try:
        cases = ET.parse(path).getroot().iter("testcase")
    except (OSError, ET.ParseError) as error:
        print(f"{path}: {error}", file=sys.stderr)
        failed += 1
        continue
    for case in cases:
        status = case.get("status", "")
        skip = case.find("skipped")
        reason = skip.get("message", "") if skip is not None else ""
        if status == "run" and case.find("failure") is None:
            passed += 1
        elif status == "disabled" or reason.startswith("SKIP_"):
            skipped += 1  # the test said it skipped (SKIP_REGULAR_EXPRESSION, SKIP_RETURN_CODE)
        else:
            failed += 1  # failed, or could not run at all (no executable)
print(f"{passed} passed, {failed} failed, {skipped} skipped")
sys.exit(1 if failed else 0)
PY
