#!/usr/bin/env bash
# Runs every fuzz target for a bounded time over its seed corpus and kept regression inputs
# (fuzz/corpus/<target>/); fails on the first crash, leak or sanitizer report.
#   fuzz/run.sh [build-dir] [seconds-per-target]    (defaults: build/fuzz 20)
# New inputs found on the way go to a scratch directory, a crasher to <build-dir>/crash-<target>-*;
# copy the interesting ones, and every crasher, into fuzz/corpus/<target>/ to keep them.
set -euo pipefail
cd "$(dirname "$0")/.."
build="$(realpath "${1:-build/fuzz}")"
bin="$build/bin"
seconds="${2:-20}"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

for target in FuzzLayout FuzzFen FuzzSan FuzzPgn FuzzTree FuzzPgnIndex; do
    mkdir -p "$scratch/$target"
    echo "== $target: ${seconds}s"
    # The regression inputs first, one by one, so a kept crasher names itself.
    "$bin/$target" -runs=0 -artifact_prefix="$build/crash-$target-" fuzz/corpus/$target/* \
        >"$scratch/$target.log" 2>&1 || {
        cat "$scratch/$target.log"; echo "$target: a kept input fails" >&2; exit 1; }
    if ! "$bin/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 \
        -artifact_prefix="$build/crash-$target-" -print_final_stats=1 \
        "$scratch/$target" "fuzz/corpus/$target" >"$scratch/$target.log" 2>&1; then
        tail -n 60 "$scratch/$target.log"
        echo "$target failed; the input is kept as $build/crash-$target-*" >&2
        exit 1
    fi
    grep -E '^stat::(number_of_executed_units|average_exec_per_sec|new_units_added)' \
        "$scratch/$target.log" | tr '\n' ' '
    echo
done
