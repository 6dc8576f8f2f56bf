#!/usr/bin/env bash
# Mode switch of the station utility: the time from the tray command (the user picking "Switch
# to AP client mode" or "Switch to station mode", given through `wlansim station tray`) to the
# tray icon of the utility that the mode switcher started again. Each run switches the other
# way, so runs alternate between the two commands. Runs copies of the build's programs in a
# folder of their own, headless, with private named objects, store and registry; the hosted
# network's record is stored beforehand, so no prompt is asked.
#
#   bench/mode_switch.sh [build folder, default build/release or build/debug] [runs, default 10]
# Target: under 1 s.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-}
if [ -z "$build" ]; then
    build=build/release
    [ -x "$build/bin/Zorvel" ] || build=build/debug
fi
runs=${2:-10}
bin=$(cd "$build/bin" && pwd)
for program in Zorvel VxSwap wlansim; do
    [ -x "$bin/$program" ] || { echo "mode_switch: no $bin/$program (build it first)" >&2; exit 1; }
done

work=$(mktemp -d /tmp/zorvel-mode-switch-XXXXXX)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill -TERM "$pid" 2>/dev/null || true; done
    sleep 0.5
    rm -rf "$work"
}
trap cleanup EXIT
install="$work/install"
mkdir -p "$install" "$work/run" "$work/store" "$work/data"
for entry in "$bin"/*; do
    name=$(basename "$entry")
    case "$name" in Zorvel | VxSwap | Zorvel.ini) ;; *) ln -s "$entry" "$install/$name" ;; esac
done
# Both programs find their folder (and the switcher the program it starts) through their own
# executable, so they are copied, not linked.
cp "$bin/Zorvel" "$bin/VxSwap" "$install/"
sed 's/^DebugMode=.*/DebugMode=3/' "$bin/Zorvel.ini" > "$install/Zorvel.ini"
grep -q '^DebugMode=3' "$install/Zorvel.ini" || printf '[Settings]\nDebugMode=3\n' >> "$install/Zorvel.ini"
sed 's/^init_delay_ms *=.*/init_delay_ms = 0/' "$bin/scenarios/default.ini" > "$work/world.ini"
touch -d '1 minute ago' "$install/Zorvel.ini" "$work/world.ini"
# The hosted network's record (144 bytes): SSID "Bench", key "bench-key-1", 20 peers.
{
    printf '\x05\x00\x00\x00Bench'; head -c 27 /dev/zero
    head -c 4 /dev/zero
    printf 'bench-key-1'; head -c 53 /dev/zero
    printf '\x0b\x00\x00\x00\x14\x00\x00\x00'
    head -c 32 /dev/zero
} > "$work/store/extap"

export VX_PRESENTER=headless ZORVEL_RUNTIME_DIR="$work/run" VXSIM_STORE="$work/store" VXSIM_SCENARIO="$work/world.ini" \
    ZORVEL_DATA_DIR="$work/data" ZORVEL_CACHE_DIR="$work/cache"
trace="$work/trace"
mkfifo "$trace"
exec 3<>"$trace"
export ZORVEL_TRACE_FILE="$trace"

wait_for_icon() {
    timeout 15 grep -q -m 1 -F "Shell_NotifyIcon(NIM_ADD) return 1" <&3
}

"$install/Zorvel" -s &
pids+=($!)
wait_for_icon || { echo "mode_switch: the first start added no tray icon" >&2; exit 1; }
timeout 0.5 cat <&3 >/dev/null || true

times=()
for ((i = 0; i < runs; i++)); do
    if ((i % 2 == 0)); then command=32960; else command=32959; fi
    "$bin/wlansim" station tray "$command"
    start=${EPOCHREALTIME/./}
    if ! wait_for_icon; then
        echo "mode_switch: run $i (command $command): no tray icon of the restarted utility within 15 s" >&2
        tail -3 "$work/store/swap.log" >&2 || true
        exit 1
    fi
    done_at=${EPOCHREALTIME/./}
    times+=($((10#$done_at - 10#$start)))
    pid=$(tail -1 "$work/store/swap.log" | sed -n 's/.*(process \([0-9]*\)).*/\1/p')
    [ -n "$pid" ] && pids+=("$pid")
    # Let the start-up settle, keeping the trace pipe drained.
    timeout 0.5 cat <&3 >/dev/null || true
done

sorted=$(printf '%s\n' "${times[@]}" | sort -n)
median=$(echo "$sorted" | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }')
best=$(echo "$sorted" | head -1)
worst=$(echo "$sorted" | tail -1)
printf 'mode_switch: %d runs of %s\n' "$runs" "$build"
printf '  tray command -> restarted tray icon: median %d.%03d ms (best %d.%03d, worst %d.%03d); target < 1 s\n' \
    $((median / 1000)) $((median % 1000)) $((best / 1000)) $((best % 1000)) $((worst / 1000)) $((worst % 1000))
"$bin/wlansim" list | grep '^mode:'
