#!/usr/bin/env bash
# Start-up of the two utilities: the time from exec to the tray icon being added, on a simulated
# adapter whose driver is ready at once, and the resident memory once it runs. Runs a copy of
# the build's program in a folder of its own (its option file turns the trace on), headless,
# with private named objects, so that a running utility is not disturbed.
#
#   bench/zorvel_startup.sh [build folder, default build/release or build/debug] [runs, default 10] [-s] [program]
#
# Without a program both run: Zorvel with the arguments given, Hotvane tray-only (-s) and with
# its sheet. Targets: Zorvel under 50 ms to the icon and 20 MB resident; Hotvane tray-only under
# 50 ms and 10 MB.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-}
if [ -z "$build" ]; then
    build=build/release
    [ -x "$build/bin/Zorvel" ] || build=build/debug
fi
runs=${2:-10}
extra=${3:-}
only=${4:-}
bin=$(cd "$build/bin" && pwd)

work=$(mktemp -d /tmp/zorvel-startup-XXXXXX)
trap 'rm -rf "$work"' EXIT

# measure <program> <debug level> <memory target MB> [arguments]
measure() {
    local program=$1 level=$2 memory_target=$3 args=${4:-}
    [ -x "$bin/$program" ] || { echo "zorvel_startup: no $bin/$program (build it first)" >&2; exit 1; }
    local install="$work/$program"
    rm -rf "$install" "$work/run" "$work/store"
    mkdir -p "$install" "$work/run" "$work/store"
    local entry name
    for entry in "$bin"/*; do
        name=$(basename "$entry")
        case "$name" in "$program" | "$program.ini") ;; *) ln -s "$entry" "$install/$name" ;; esac
    done
    # The program finds its folder through its own executable, so it is copied, not linked.
    cp "$bin/$program" "$install/$program"
    sed "s/^DebugMode=.*/DebugMode=$level/" "$bin/$program.ini" > "$install/$program.ini"
    grep -q "^DebugMode=$level" "$install/$program.ini" || printf '[Settings]\nDebugMode=%s\n' "$level" >> "$install/$program.ini"
    sed 's/^init_delay_ms *=.*/init_delay_ms = 0/' "$bin/scenarios/default.ini" > "$work/world.ini"
    # The world names its certificate files relative to itself.
    ln -sfn "$bin/scenarios/certs" "$work/certs"
    # An option file written a moment ago is read afresh on every read (file times are too
    # coarse to tell a rewrite within the same tick); an installation's files are older.
    touch -d '1 minute ago' "$install/$program.ini" "$work/world.ini"

    local times=() rss=() cpu=() i fifo start pid added
    for ((i = 0; i < runs; i++)); do
        fifo="$work/trace.$i"
        mkfifo "$fifo"
        exec 3<>"$fifo"
        # Microseconds from bash's own clock: no process is started to read the time.
        start=${EPOCHREALTIME/./}
        VX_PRESENTER=headless ZORVEL_RUNTIME_DIR="$work/run" VXSIM_STORE="$work/store" VXSIM_SCENARIO="$work/world.ini" \
            ZORVEL_DATA_DIR="$work/data" ZORVEL_CACHE_DIR="$work/cache" ZORVEL_TRACE_FILE="$fifo" "$install/$program" $args &
        pid=$!
        added=""
        # grep reads the pipe in blocks, so the time is taken as soon as the line is written.
        if timeout 10 grep -q -m 1 -F "Shell_NotifyIcon(NIM_ADD) return 1" <&3; then
            added=${EPOCHREALTIME/./}
        fi
        if [ -z "$added" ]; then
            echo "zorvel_startup: $program run $i: no tray icon within 10 s" >&2
            kill "$pid" 2>/dev/null || true
            exit 1
        fi
        times+=($((10#$added - 10#$start)))
        # CPU time of all threads up to the icon (nanoseconds): unlike the time to the icon,
        # it hardly changes with the machine's load.
        cpu+=($(cat /proc/"$pid"/task/*/schedstat 2>/dev/null | awk '{ s += $1 } END { print s + 0 }'))
        # Let the start-up settle (timers armed, first paint) before reading the memory; keep
        # the trace pipe drained meanwhile.
        timeout 0.3 cat <&3 >/dev/null || true
        rss+=($(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status"))
        kill -TERM "$pid"
        timeout 5 cat <&3 >/dev/null || true
        wait "$pid" || true
        exec 3<&-
        rm -f "$fifo"
    done

    local sorted median best worst rss_max
    sorted=$(printf '%s\n' "${times[@]}" | sort -n)
    median=$(echo "$sorted" | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }')
    best=$(echo "$sorted" | head -1)
    worst=$(echo "$sorted" | tail -1)
    rss_max=$(printf '%s\n' "${rss[@]}" | sort -n | tail -1)
    local cpu_median
    cpu_median=$(printf '%s\n' "${cpu[@]}" | sort -n | awk '{ a[NR] = $1 } END { printf "%.1f", a[int((NR + 1) / 2)] / 1e6 }')
    printf 'zorvel_startup: %d runs of %s %s %s\n' "$runs" "$build" "$program" "$args"
    printf '  exec -> tray icon added: median %d.%03d ms (best %d.%03d, worst %d.%03d); target < 50 ms\n' \
        $((median / 1000)) $((median % 1000)) $((best / 1000)) $((best % 1000)) $((worst / 1000)) $((worst % 1000))
    printf '  CPU time to the icon (all threads): median %s ms; load average %s\n' "$cpu_median" "$(cut -d" " -f1-3 /proc/loadavg)"
    printf '  resident memory after start-up: %d KiB (%d.%d MB); target < %d MB\n' "$rss_max" $((rss_max / 1024)) \
        $((rss_max % 1024 * 10 / 1024)) "$memory_target"
}

case "$only" in
"" | Zorvel) measure Zorvel 3 20 "$extra" ;;
esac
case "$only" in
"" | Hotvane)
    measure Hotvane 1 10 -s
    measure Hotvane 1 10
    ;;
esac
