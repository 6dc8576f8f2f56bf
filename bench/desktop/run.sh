#!/usr/bin/env bash
# The station utility on a desktop, against the least an X program does: under a private
# Xvfb, a bare Xlib window (bare_window), Zorvel tray-only (-s) and Zorvel with its window are
# started in turn, interleaved, each through startup_probe, which times exec -> first managed
# window mapped, or -> tray icon docked (the probe is the screen's tray manager). Then each
# is left alone to measure what it costs while idle.
#
#   bench/desktop/run.sh [build folder, default build/release or build/debug]
#   RUNS (default 10) and IDLE_SECONDS (default 30) change the counts.
#
# Prints, per case: the median start time and its ratio to the bare window, resident memory
# 3 s after start, CPU time over the idle period, and each thread's wake-ups per second
# (voluntary context switches). It reports figures; it never fails on them.
set -uo pipefail
cd "$(dirname "$0")/../.."
build=${1:-}
if [ -z "$build" ]; then
    build=build/release
    [ -x "$build/bin/Zorvel" ] || build=build/debug
fi
runs=${RUNS:-10}
idle=${IDLE_SECONDS:-30}
bin=$(cd "$build/bin" && pwd)
probe=$build/bench/startup_probe
bare=$build/bench/bare_window
for need in "$bin/Zorvel" "$probe" "$bare"; do
    [ -x "$need" ] || { echo "desktop bench: no $need (build the Zorvel, startup_probe and bare_window targets)" >&2; exit 0; }
done
command -v Xvfb >/dev/null || { echo "desktop bench: Xvfb is not installed" >&2; exit 0; }

work=$(mktemp -d /tmp/zorvel-desktop-XXXXXX)
# A desktop session's runtime folder (XDG_RUNTIME_DIR) is in memory; the window record and
# named objects go to one there too, where the machine has /dev/shm.
runtime=$work/run
[ -d /dev/shm ] && [ -w /dev/shm ] && runtime=$(mktemp -d /dev/shm/zorvel-desktop-XXXXXX)
xvfb_pid=""
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work" "$runtime"
}
trap cleanup EXIT

# [SECTION] The installation: a copy of the build's program in a folder of its own, with
# private named objects, store and runtime records, on the default world whose driver is
# ready at once (start-up is timed, not the simulated driver's delay).
install="$work/install"
mkdir -p "$install" "$runtime" "$work/store" "$work/data"
for entry in "$bin"/*; do
    name=$(basename "$entry")
    case "$name" in Zorvel | Zorvel.ini) ;; *) ln -s "$entry" "$install/$name" ;; esac
done
cp "$bin/Zorvel" "$bin/Zorvel.ini" "$install/"
sed 's/^init_delay_ms *=.*/init_delay_ms = 0/' "$bin/scenarios/default.ini" > "$work/world.ini"
# The world names its certificate files relative to itself.
ln -sfn "$bin/scenarios/certs" "$work/certs"
touch -d '1 minute ago' "$install/Zorvel.ini" "$work/world.ini"
export ZORVEL_RUNTIME_DIR="$runtime" VXSIM_STORE="$work/store" VXSIM_SCENARIO="$work/world.ini" ZORVEL_DATA_DIR="$work/data" ZORVEL_CACHE_DIR="$work/cache"
unset VX_PRESENTER VX_SNAPSHOT_DIR ZORVEL_TRACE_FILE

# [SECTION] The X server
exec 5<> <(:)
Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
display=""
read -r -t 10 display <&5 || { echo "desktop bench: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 0; }
exec 5<&-
export DISPLAY=":$display"

# [SECTION] One start
# case_command <case>: what the probe starts and waits for.
case_mode() { [ "$1" = tray ] && echo dock || echo map; }
case_command() {
    case "$1" in
    bare) echo "$bare" ;;
    tray) echo "$install/Zorvel -s" ;;
    window) echo "$install/Zorvel" ;;
    esac
}

# start_case <case>: starts it; sets probe_pid, pid and ready (microseconds, empty on time-out).
start_case() {
    local fifo="$work/probe.fifo" line
    rm -f "$fifo"
    mkfifo "$fifo"
    # shellcheck disable=SC2046
    "$probe" "$(case_mode "$1")" -- $(case_command "$1") >"$fifo" 2>>"$work/programs.log" &
    probe_pid=$!
    exec 4<"$fifo"
    pid="" ready=""
    while read -r -t 15 line <&4; do
        case "$line" in
        pid\ *) pid=${line#pid } ;;
        ready\ *) ready=${line#ready }; break ;;
        timeout) break ;;
        esac
    done
    exec 4<&-
}

stop_case() {
    kill -TERM "$probe_pid" 2>/dev/null
    wait "$probe_pid" 2>/dev/null
}

rss_kib() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status" 2>/dev/null; }

median() { sort -n | awk '{ a[NR] = $1 } END { if (NR) print a[int((NR + 1) / 2)]; else print 0 }'; }

ms() { awk -v us="$1" 'BEGIN { printf "%.1f", us / 1000 }'; }

# [SECTION] Start-up, interleaved
cases=(bare tray window)
declare -A times memory
for ((i = 0; i < runs; i++)); do
    for c in "${cases[@]}"; do
        start_case "$c"
        if [ -z "$ready" ]; then
            echo "desktop bench: $c run $i: not shown within 10 s" >&2
        else
            times[$c]+="$ready "
        fi
        sleep 3
        [ -n "$pid" ] && memory[$c]+="$(rss_kib "$pid") "
        stop_case
    done
done

printf "desktop bench: %d runs each of %s on Xvfb %s; load average %s\n" "$runs" "$build" "$DISPLAY" "$(cut -d" " -f1-3 /proc/loadavg)"
bare_median=$(printf '%s\n' ${times[bare]:-0} | median)
for c in "${cases[@]}"; do
    m=$(printf '%s\n' ${times[$c]:-0} | median)
    r=$(printf '%s\n' ${memory[$c]:-0} | median)
    what="window mapped"
    [ "$c" = tray ] && what="icon docked"
    printf '  %-7s exec -> %-13s median %7s ms, %5s x bare; resident after 3 s %6.1f MB\n' "$c" "$what" \
        "$(ms "$m")" "$(awk -v a="$m" -v b="$bare_median" 'BEGIN { printf "%.2f", b ? a / b : 0 }')" \
        "$(awk -v k="$r" 'BEGIN { print k / 1024 }')"
done

# [SECTION] Presenting: a fully damaged 800 x 600 window until the server has it, through
# shared memory (this server) and through the connection (a server without MIT-SHM).
present=$build/bench/present_bench
if [ -x "$present" ]; then
    echo "  fully damaged 800 x 600 window to the server:"
    "$present" --benchmark_min_time=0.5 2>/dev/null | awk '/BM_/ { printf "    %s %s %s (%s)\n", $1, $2, $3, $NF }'
    exec 6<> <(:)
    Xvfb -displayfd 6 -screen 0 1280x1024x24 -nolisten tcp -noreset -extension MIT-SHM >>"$work/xvfb.log" 2>&1 &
    plain_pid=$!
    if read -r -t 10 plain <&6; then
        DISPLAY=":$plain" "$present" --benchmark_min_time=0.5 2>/dev/null | awk '/BM_/ { printf "    %s %s %s (%s)\n", $1, $2, $3, $NF }'
    fi
    exec 6<&-
    kill "$plain_pid" 2>/dev/null
    wait "$plain_pid" 2>/dev/null
fi

# [SECTION] Idle
# cpu_ns <pid>: the CPU time of all threads; switches <pid>: "tid name count" per thread.
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ s += $1 } END { print s + 0 }'; }
switches() {
    local task
    for task in /proc/"$1"/task/*; do
        printf '%s %s %s\n' "${task##*/}" "$(tr ' ' _ <"$task/comm" 2>/dev/null)" \
            "$(awk '/^voluntary_ctxt_switches/ { print $2 }' "$task/status" 2>/dev/null)"
    done
}

echo "  idle over ${idle} s (after 3 s of start-up):"
for c in "${cases[@]}"; do
    start_case "$c"
    sleep 3
    if [ -z "$pid" ] || [ ! -d "/proc/$pid" ]; then
        echo "    $c: not running" >&2
        stop_case
        continue
    fi
    cpu0=$(cpu_ns "$pid")
    switches "$pid" >"$work/before"
    sleep "$idle"
    cpu1=$(cpu_ns "$pid")
    switches "$pid" >"$work/after"
    stop_case
    printf '    %-7s CPU %6.1f ms; wake-ups per second by thread:' "$c" "$(awk -v a="$cpu0" -v b="$cpu1" 'BEGIN { print (b - a) / 1e6 }')"
    awk -v idle="$idle" 'NR == FNR { before[$1] = $3; next }
        { rate = ($3 - ($1 in before ? before[$1] : 0)) / idle; printf " %s(%s) %.1f", $2, $1, rate }
        END { print "" }' "$work/before" "$work/after"
done
