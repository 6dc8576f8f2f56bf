#!/usr/bin/env bash
# Start-up of the station utility: the time from exec to the tray icon being added, on a
# simulated adapter whose driver is ready at once, and the resident memory once it runs.
# Runs a copy of the build's program in a folder of its own (its option file turns the trace
# on), headless, with private named objects, so that a running Zorvel is not disturbed.
#
#   bench/zorvel_startup.sh [build folder, default build/release or build/debug] [runs, default 10] [-s]
# Targets: under 50 ms to the icon, under 20 MB resident.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-}
if [ -z "$build" ]; then
    build=build/release
    [ -x "$build/bin/Zorvel" ] || build=build/debug
fi
runs=${2:-10}
extra=${3:-}
bin=$(cd "$build/bin" && pwd)
[ -x "$bin/Zorvel" ] || { echo "zorvel_startup: no $bin/Zorvel (build it first)" >&2; exit 1; }

work=$(mktemp -d /tmp/zorvel-startup-XXXXXX)
trap 'rm -rf "$work"' EXIT
install="$work/install"
mkdir -p "$install" "$work/run" "$work/store"
for entry in "$bin"/*; do
    name=$(basename "$entry")
    case "$name" in Zorvel | Zorvel.ini) ;; *) ln -s "$entry" "$install/$name" ;; esac
done
# The program finds its folder through its own executable, so it is copied, not linked.
cp "$bin/Zorvel" "$install/Zorvel"
sed 's/^DebugMode=.*/DebugMode=3/' "$bin/Zorvel.ini" > "$install/Zorvel.ini"
grep -q '^DebugMode=3' "$install/Zorvel.ini" || printf '[Settings]\nDebugMode=3\n' >> "$install/Zorvel.ini"
sed 's/^init_delay_ms *=.*/init_delay_ms = 0/' "$bin/scenarios/default.ini" > "$work/world.ini"
# An option file written a moment ago is read afresh on every read (file times are too coarse
# to tell a rewrite within the same tick); an installation's files are older than that.
touch -d '1 minute ago' "$install/Zorvel.ini" "$work/world.ini"

export VX_PRESENTER=headless ZORVEL_RUNTIME_DIR="$work/run" VXSIM_STORE="$work/store" VXSIM_SCENARIO="$work/world.ini"

times=()
rss=()
for ((i = 0; i < runs; i++)); do
    fifo="$work/trace.$i"
    mkfifo "$fifo"
    exec 3<>"$fifo"
    # Microseconds from bash's own clock: no process is started to read the time.
    start=${EPOCHREALTIME/./}
    ZORVEL_TRACE_FILE="$fifo" "$install/Zorvel" $extra &
    pid=$!
    added=""
    # grep reads the pipe in blocks, so the time is taken as soon as the line is written.
    if timeout 10 grep -q -m 1 -F "Shell_NotifyIcon(NIM_ADD) return 1" <&3; then
        added=${EPOCHREALTIME/./}
    fi
    if [ -z "$added" ]; then
        echo "zorvel_startup: run $i: no tray icon within 10 s" >&2
        kill "$pid" 2>/dev/null || true
        exit 1
    fi
    times+=($((10#$added - 10#$start)))
    # Let the start-up settle (timers armed, first paint) before reading the memory; keep the
    # trace pipe drained meanwhile.
    timeout 0.3 cat <&3 >/dev/null || true
    rss+=($(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status"))
    kill -TERM "$pid"
    timeout 5 cat <&3 >/dev/null || true
    wait "$pid" || true
    exec 3<&-
    rm -f "$fifo"
done

sorted=$(printf '%s\n' "${times[@]}" | sort -n)
median=$(echo "$sorted" | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }')
best=$(echo "$sorted" | head -1)
worst=$(echo "$sorted" | tail -1)
rss_max=$(printf '%s\n' "${rss[@]}" | sort -n | tail -1)
printf 'zorvel_startup: %d runs of %s %s\n' "$runs" "$build" "$extra"
printf '  exec -> tray icon added: median %d.%03d ms (best %d.%03d, worst %d.%03d); target < 50 ms\n' \
    $((median / 1000)) $((median % 1000)) $((best / 1000)) $((best % 1000)) $((worst / 1000)) $((worst % 1000))
printf '  resident memory after start-up: %d KiB (%d.%d MB); target < 20 MB\n' "$rss_max" $((rss_max / 1024)) $((rss_max % 1024 * 10 / 1024))
