#!/usr/bin/env bash
# Builds and runs the whole test suite: every test in one AddressSanitizer +
# UndefinedBehaviorSanitizer build (a plain build would run the same tests and find less), then
# the threaded tests again under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

jobs=$(nproc)
werror=${ZORVEL_WERROR:-OFF}
status=0
# run_preset <preset> <build target> [ctest arguments...]
run_preset() {
    local preset=$1 target=$2; shift 2
    echo "== $preset: configure and build"
    cmake --preset "$preset" -DZORVEL_WERROR="$werror" >/dev/null
    cmake --build --preset "$preset" -j "$jobs" --target "$target"
    echo "== $preset: tests"
    ctest --preset "$preset" -j "$jobs" "$@" || status=1
}
start=$SECONDS
run_preset asan all
# Only the threaded test binaries run under ThreadSanitizer, so only they are built there.
run_preset tsan threaded_tests -L threaded
echo "== test suite took $((SECONDS - start)) s on $jobs cores"
exit $status
