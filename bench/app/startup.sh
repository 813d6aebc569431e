#!/usr/bin/env bash
# Prints how long tavlon takes from process start to the first painted board, and how much memory
# it holds once started, on a virtual X server. Figures only; nothing here passes or fails.
# Usage: bench/app/startup.sh [path/to/tavlon] [runs]   (targets: median < 300 ms, VmRSS < 40 MB,
# a 150-ply game opened from the command line adds < 20 ms)
set -euo pipefail

app=${1:-build/release/bin/tavlon}
runs=${2:-11}
[ -x "$app" ] || { echo "no program at $app; build it first" >&2; exit 2; }
xvfb_pid='' app_pid=''
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
}
trap cleanup EXIT

for n in $(seq 90 150); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || { display=":$n"; break; }
done
export DISPLAY=${display:?no free X display}
Xvfb "$DISPLAY" -noreset -nolisten tcp -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb_pid=$!
timeout 10 sh -c 'until xwininfo -root >/dev/null 2>&1; do sleep 0.1; done'
export QT_QPA_PLATFORM=xcb
unset QT_SCALE_FACTOR

median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

# Start-up: the program prints the wall-clock time of its first board paint and quits.
# Arguments are passed on (a game file to open).
startup() {
    TAVLON_STARTUP_PROBE=1 timeout 10 "$app" "$@" >/dev/null 2>&1 # warm the page cache
    times=()
    for ((i = 0; i < runs; i++)); do
        t0=${EPOCHREALTIME/./}
        line=$(TAVLON_STARTUP_PROBE=1 timeout 10 "$app" "$@" 2>/dev/null | grep first_paint_epoch_us=)
        times+=($(((${line#*=} - t0) / 1000)))
    done
    printf '%s\n' "${times[@]}" | median
}
base=$(startup)
echo "startup_ms: median $base over $runs runs (target < 300)"

# The same with a 150-ply annotated game named on the command line.
game_bench=$(dirname "$app")/tavlon_app_bench
if [ -x "$game_bench" ]; then
    game=$(mktemp --suffix=.pgn)
    "$game_bench" --write-game "$game" 150
    with_game=$(startup "$game")
    rm -f "$game"
    echo "startup_with_150_ply_game_ms: median $with_game, adds $(awk -v a="$with_game" -v b="$base" 'BEGIN {print a - b}') (target < 20)"
fi

# Footprint: resident memory a second after the window is up.
rss=()
for ((i = 0; i < 3; i++)); do
    "$app" >/dev/null 2>&1 &
    app_pid=$!
    timeout 10 xdotool search --sync --onlyvisible --pid "$app_pid" --name '^Tavlon$' >/dev/null
    sleep 1
    rss+=($(awk '/^VmRSS/ {print $2}' "/proc/$app_pid/status"))
    kill "$app_pid"
    wait "$app_pid" 2>/dev/null || true
    app_pid=''
done
echo "vmrss_kb: median $(printf '%s\n' "${rss[@]}" | median) over 3 runs (target < 40960)"
