#!/usr/bin/env bash
# Builds if needed and starts the station utility on the default simulated world; until the
# station utility exists, it starts the platform's demonstration instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset debug >/dev/null
cmake --build --preset debug -j "$(nproc)"
for program in Zorvel control-gallery platform-demo; do
    if [ -x "build/debug/bin/$program" ]; then
        echo "run: starting $program"
        exec "build/debug/bin/$program" "$@"
    fi
done
echo "run: nothing to start" >&2
exit 1
