#!/usr/bin/env bash
# Builds and runs the whole test suite: the normal build, then the AddressSanitizer +
# UndefinedBehaviorSanitizer build, then the threaded tests under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

jobs=$(nproc)
werror=${ZORVEL_WERROR:-OFF}
status=0
run_preset() {
    local preset=$1; shift
    echo "== $preset: configure and build"
    cmake --preset "$preset" -DZORVEL_WERROR="$werror" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
    echo "== $preset: tests"
    ctest --preset "$preset" -j "$jobs" "$@" || status=1
}
run_preset debug
run_preset asan
run_preset tsan -L threaded
exit $status
