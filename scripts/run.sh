#!/usr/bin/env bash
# Builds what running needs (the programs, the library stand-ins, wlansim and the resources) if
# needed and starts the station utility on the default simulated world.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset debug >/dev/null
cmake --build --preset debug -j "$(nproc)" --target run_targets
echo "run: starting Zorvel"
exec build/debug/bin/Zorvel "$@"
