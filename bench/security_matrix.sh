#!/bin/sh
# The security matrix's wall time: every row of the end-to-end security tests (stored profiles
# activated, and the site survey's Connect through the security editor, each with its wrong
# secret), run on the manual clock from a release build; prints each row's milliseconds and the
# total. A figure, not a check: the tests themselves decide pass or fail.
set -eu
cd "$(dirname "$0")/.."
cmake --preset release >/dev/null
cmake --build --preset release -j"${JOBS:-3}" --target station_security_e2e_tests VxWLAPI wlansim Zorvel >/dev/null
start=$(date +%s%N)
build/release/tests/station_security_e2e_tests | awk -F'\t' '
    $1 == "row" { printf "%-45s %6d ms\n", $2, $3; total += $3 }
    /PASSED|FAILED/ { status = status $0 "\n" }
    END { printf "%-45s %6d ms\n", "rows in all", total; printf "%s", status }'
end=$(date +%s%N)
echo "test binary, start to end: $(( (end - start) / 1000000 )) ms"
