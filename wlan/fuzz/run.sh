#!/bin/sh
# Builds the fuzz targets of wlan/ with clang and runs each for a short, bounded time.
# Usage: wlan/fuzz/run.sh [seconds per target, default 20]
set -eu
seconds="${1:-20}"
top="$(cd "$(dirname "$0")/../.." && pwd)"
build="$top/build/fuzz-wlan"
CC=clang CXX=clang++ cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DZORVEL_FUZZ=ON -DZORVEL_SANITIZE="address;undefined" >/dev/null
cmake --build "$build" --target digest_fuzz scan_list_fuzz
for target in digest_fuzz scan_list_fuzz; do
    corpus="$build/fuzz/corpus-$target"
    mkdir -p "$corpus"
    echo "== $target (${seconds}s)"
    "$build/fuzz/$target" -max_total_time="$seconds" -max_len=8192 "$corpus"
done
