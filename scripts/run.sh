#!/usr/bin/env bash
# Builds what running needs (the programs, the library stand-ins, wlansim and the resources) if
# needed and starts the station utility on the default simulated world.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset debug >/dev/null
cmake --build --preset debug -j "$(nproc)" --target run_targets
echo "run: starting Zorvel"
# The system folder holds the simulated adapter's driver file, whose version the about page shows.
export ZORVEL_SYSTEM_DIR="${ZORVEL_SYSTEM_DIR:-$PWD/build/debug/bin/system32}"
exec build/debug/bin/Zorvel "$@"
