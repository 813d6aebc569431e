#!/usr/bin/env bash
# Prints how long tavlon takes from process start to its window on a virtual X server, and how
# much memory it holds once started, side by side with Debian's XBoard (started with -ncp, so it
# runs no engine) in the same interleaved runs, when XBoard is installed. Figures only; nothing
# here passes or fails.
# Usage: bench/app/startup.sh [path/to/tavlon] [runs]   (targets: tavlon's median at or below
# XBoard's, VmRSS at most three quarters of XBoard's; a 150-ply game opened from the command line
# adds < 20 ms). With SOUNDS=on tavlon starts with View > Sounds on, and its memory is measured
# again a second after its first move (Return in the move box, e2e4), which loads the sounds.
set -euo pipefail

app=${1:-build/release/bin/tavlon}
runs=${2:-11}
xboard=${XBOARD:-/usr/games/xboard}
[ -x "$app" ] || { echo "no program at $app; build it first" >&2; exit 2; }
xvfb_pid='' app_pid='' xev_pid=''
work=$(mktemp -d)
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$xev_pid" ] && kill "$xev_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

for n in $(seq 90 150); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || { display=":$n"; break; }
done
export DISPLAY=${display:?no free X display}
Xvfb "$DISPLAY" -noreset -nolisten tcp -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb_pid=$!
timeout 10 sh -c 'until xwininfo -root >/dev/null 2>&1; do sleep 0.1; done'
export QT_QPA_PLATFORM=xcb
unset QT_SCALE_FACTOR
# Both programs keep their settings in a home of their own, the same for every run.
export HOME=$work XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
if [ "${SOUNDS:-off}" = on ]; then
    mkdir -p "$XDG_CONFIG_HOME/tavlon"
    printf '[view]\nsounds=true\n' >"$XDG_CONFIG_HOME/tavlon/tavlon.conf"
fi

median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

# One watcher of the root window tells, for either program alike, when a top-level window is
# mapped: the moment the window becomes visible. Nothing else runs on this display.
exec 3< <(exec stdbuf -oL xev -root -event substructure)
xev_pid=$!
sleep 0.3
drain() { while read -r -t 0.2 -u 3 _; do :; done; }

# Milliseconds from launch to the first window mapped; the program is then ended. A tavlon
# started with TAVLON_STARTUP_PROBE=1 also prints when its board was first painted, and quits:
# that time follows, after a slash. With "rss", prints the resident memory (kB) a second after
# the window is up instead.
launch() {
    local what=$1 line t0 t1 painted=''
    shift
    drain
    # A run ended by kill leaves its game for recovery, which the next start would offer in a
    # box: every start here is a plain one.
    rm -rf "$XDG_DATA_HOME"
    t0=${EPOCHREALTIME/./}
    "$@" >"$work/out" 2>/dev/null &
    app_pid=$!
    while read -r -t 10 -u 3 line; do
        [[ $line == MapNotify* ]] && break
    done
    t1=${EPOCHREALTIME/./}
    if [ "$what" = rss ]; then
        sleep 1
        awk '/^VmRSS/ {print $2}' "/proc/$app_pid/status"
    elif [ "$what" = sounding ]; then
        sleep 1
        xdotool windowfocus --sync "$(xdotool search --onlyvisible --pid "$app_pid" | head -1)" \
            key Return
        sleep 1
        awk '/^VmRSS/ {print $2}' "/proc/$app_pid/status"
    elif [ "$what" = probe ]; then
        wait "$app_pid" 2>/dev/null || true
        line=$(grep first_paint_epoch_us= "$work/out" || echo =0)
        painted=/$(((${line#*=} - t0) / 1000))
    fi
    [ "$what" = rss ] || [ "$what" = sounding ] || echo "$(((t1 - t0) / 1000))$painted"
    kill "$app_pid" 2>/dev/null || true
    wait "$app_pid" 2>/dev/null || true
    app_pid=''
}

tavlon=(env TAVLON_STARTUP_PROBE=1 "$app")
xb=("$xboard" -ncp)
have_xboard=false
[ -x "$xboard" ] && have_xboard=true

# Warm the page cache and write each program's first settings, then alternate the two.
launch probe "${tavlon[@]}" >/dev/null
$have_xboard && launch time "${xb[@]}" >/dev/null
t_times=() x_times=()
for ((i = 0; i < runs; i++)); do
    t_times+=("$(launch probe "${tavlon[@]}")")
    $have_xboard && x_times+=("$(launch time "${xb[@]}")")
done
t_med=$(printf '%s\n' "${t_times[@]%/*}" | median)
p_med=$(printf '%s\n' "${t_times[@]#*/}" | median)
echo "startup_ms: tavlon median $t_med to its window, $p_med to the board painted, over $runs runs (${t_times[*]})"
if $have_xboard; then
    x_med=$(printf '%s\n' "${x_times[@]}" | median)
    echo "startup_ms: xboard median $x_med over $runs runs, interleaved (${x_times[*]})"
fi

# The same with a 150-ply annotated game named on the command line (tavlon alone).
game_bench=$(dirname "$app")/tavlon_app_bench
if [ -x "$game_bench" ]; then
    game=$work/game.pgn
    "$game_bench" --write-game "$game" 150
    g_times=()
    for ((i = 0; i < runs; i++)); do
        g_times+=("$(launch time "$app" "$game")")
    done
    with_game=$(printf '%s\n' "${g_times[@]}" | median)
    echo "startup_with_150_ply_game_ms: median $with_game, adds $(awk -v a="$with_game" -v b="$t_med" 'BEGIN {print a - b}') (target < 20)"
fi

# Footprint: resident memory a second after the window is up, interleaved too.
t_rss=() x_rss=()
for ((i = 0; i < 3; i++)); do
    t_rss+=("$(launch rss "$app")")
    $have_xboard && x_rss+=("$(launch rss "${xb[@]}")")
done
t_kb=$(printf '%s\n' "${t_rss[@]}" | median)
echo "vmrss_kb: tavlon median $t_kb over 3 runs"
if [ "${SOUNDS:-off}" = on ]; then
    s_rss=()
    for ((i = 0; i < 3; i++)); do
        s_rss+=("$(launch sounding "$app")")
    done
    echo "vmrss_kb: tavlon a second after its first move's sound, median $(printf '%s\n' "${s_rss[@]}" | median) over 3 runs"
fi
if $have_xboard; then
    x_kb=$(printf '%s\n' "${x_rss[@]}" | median)
    echo "vmrss_kb: xboard median $x_kb over 3 runs; tavlon/xboard $(awk -v a="$t_kb" -v b="$x_kb" 'BEGIN {printf "%.2f", a / b}') (target <= 0.75)"
fi
