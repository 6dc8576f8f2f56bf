#!/usr/bin/env bash
# Builds what running needs (the programs, the library stand-ins, wlansim and the resources) if
# needed and starts one of the two utilities on the default simulated world and store:
#
#   scripts/run.sh [Zorvel|Hotvane] [program arguments, e.g. -s]
#
# Without a program name the station utility Zorvel starts. Only one of the two runs at a time.
set -euo pipefail
cd "$(dirname "$0")/.."
program=Zorvel
case "${1:-}" in
Zorvel | Hotvane)
    program=$1
    shift
    ;;
esac
bash scripts/install-deps.sh
cmake --preset debug >/dev/null
cmake --build --preset debug -j "$(nproc)" --target run_targets
echo "run: starting $program"
# The system folder holds the simulated adapter's driver file, whose version the about pages show.
export ZORVEL_SYSTEM_DIR="${ZORVEL_SYSTEM_DIR:-$PWD/build/debug/bin/system32}"
exec "build/debug/bin/$program" "$@"
