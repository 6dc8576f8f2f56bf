#!/usr/bin/env bash
# Builds if needed and starts the station utility on the default simulated world.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset debug >/dev/null
cmake --build --preset debug -j "$(nproc)"
if [ -x build/debug/bin/Zorvel ]; then
    exec build/debug/bin/Zorvel "$@"
fi
exec build/debug/bin/platform-demo "$@"
