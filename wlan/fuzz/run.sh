#!/bin/sh
# Builds every fuzz target with clang (the libraries under test with the fuzzer's coverage) and
# runs each for a short, bounded time from its seed corpus in the repository, then prints the
# edges each one covered.
# Usage: wlan/fuzz/run.sh [seconds per target, default 15]
set -eu
seconds="${1:-15}"
top="$(cd "$(dirname "$0")/../.." && pwd)"
build="$top/build/fuzz"
CC=clang CXX=clang++ cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DZORVEL_FUZZ=ON -DZORVEL_SANITIZE="address;undefined" -DZORVEL_BENCH=OFF >/dev/null
mkdir -p "$build/fuzz"
if ! cmake --build "$build" --target fuzz_targets -j "${FUZZ_JOBS:-2}" >"$build/fuzz/build.log" 2>&1; then
    tail -n 60 "$build/fuzz/build.log"
    exit 1
fi
summary=""
failed=0
while read -r target seeds; do
    [ -n "$target" ] || continue
    corpus="$build/fuzz/corpus-$target"
    mkdir -p "$corpus"
    echo "== $target (${seconds}s)"
    log="$build/fuzz/$target.log"
    # New inputs go to the working corpus; the seeds in the repository are only read.
    if ! "$build/fuzz/$target" -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$build/fuzz/$target-" "$corpus" $( [ -d "$seeds" ] && echo "$seeds" ) >"$log" 2>&1; then
        tail -n 40 "$log"
        failed=1
    fi
    edges="$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 | cut -d' ' -f2)"
    summary="$summary$(printf '%-16s %6s edges' "$target" "${edges:-?}")
"
done <"$build/fuzz/targets.txt"
echo "== fuzz coverage"
printf '%s' "$summary"
exit "$failed"
