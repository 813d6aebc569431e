#!/usr/bin/env bash
# Prints how long after QSoundEffect::play() each sound of tavlon_sounds_bench reaches a PulseAudio
# null sink: the bench's play_epoch_us lines against the first sample above -40 dBFS in a
# recording of the sink's monitor, each sample's time taken as it is read. Runs a sound server of
# its own, so nothing of the machine's is touched. Needs pulseaudio, pulseaudio-utils and python3,
# for the measurement only. Figures only; nothing passes or fails.
# Usage: bench/app/sound_latency.sh [build/release/bin] [moves]
set -euo pipefail

bin=${1:-build/release/bin}
moves=${2:-40}
[ -x "$bin/tavlon_sounds_bench" ] || { echo "no $bin/tavlon_sounds_bench; build it first" >&2; exit 2; }
work=$(mktemp -d)
server='' recorder='' reader=''
cleanup() {
    for pid in $recorder $reader $server; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

export XDG_RUNTIME_DIR=$work/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
pulseaudio -n --daemonize=no --exit-idle-time=-1 --load=module-native-protocol-unix \
    --load="module-null-sink sink_name=bench" >"$work/server.log" 2>&1 &
server=$!
timeout 10 sh -c 'until pactl info >/dev/null 2>&1; do sleep 0.1; done'
pactl set-default-sink bench

# The monitor, 2 ms at a time; the reader notes the wall-clock time of every read.
mkfifo "$work/monitor"
parec -d bench.monitor --raw --format=s16le --rate=44100 --channels=1 --latency-msec=2 \
    >"$work/monitor" &
recorder=$!
python3 -c '
import sys, time, pickle
data, stamps = bytearray(), []
with open(sys.argv[1], "rb", buffering=0) as f:
    while chunk := f.read(4096):
        data += chunk
        stamps.append((len(data) // 2, time.time()))
pickle.dump((bytes(data), stamps), open(sys.argv[2], "wb"))
' "$work/monitor" "$work/recording" &
reader=$!
sleep 1

QT_QPA_PLATFORM=offscreen "$bin/tavlon_sounds_bench" "$moves" >"$work/bench" 2>/dev/null
grep -v play_epoch_us "$work/bench"
sleep 1
kill "$recorder"
wait "$reader"
recorder='' reader=''

python3 -c '
import bisect, pickle, struct, sys
data, stamps = pickle.load(open(sys.argv[1], "rb"))
n = len(data) // 2
samples = struct.unpack("<%dh" % n, data[: 2 * n])
counts = [c for c, _ in stamps]
def when(i):  # the read that brought sample i, less the samples after it in that read
    c, t = stamps[min(bisect.bisect_right(counts, i), len(stamps) - 1)]
    return t - (c - 1 - i) / 44100
onsets, i = [], 0
while i < n:
    if abs(samples[i]) > 327:
        onsets.append(when(i))
        i += 44100 // 4
    else:
        i += 1
plays = [int(l.split("=")[1]) / 1e6 for l in open(sys.argv[2]) if l.startswith("play_epoch_us=")]
late = sorted(min(d) * 1000 for p in plays if (d := [o - p for o in onsets if -0.05 < o - p < 0.5]))
print("null_sink_after_play_returned: median %.1f ms, max %.1f ms; %d of %d sounds heard"
      % (late[len(late) // 2], late[-1], len(late), len(plays)) if late else "no sound heard")
' "$work/recording" "$work/bench"
