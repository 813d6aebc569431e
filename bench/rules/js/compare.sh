#!/usr/bin/env bash
# Tavlon's PGN figures beside two JavaScript libraries reading the same games, in one run:
# chess.js's loadPgn of a plain 154-ply game, and chessops reading, playing and writing the
# annotated set. The libraries come from a local npm install kept out of the build and the
# tests (run once, needs the network):
#   npm install --prefix build/npm chess.js chessops
#   bench/rules/js/compare.sh [build-dir]    (default build/release)
set -euo pipefail
cd "$(dirname "$0")/../../.."
build="${1:-build/release}"
games="$build/bench-pgn"
mkdir -p "$games"
"$build/bin/tavlon_rules_bench" --write-games="$games"
"$build/bin/tavlon_rules_bench" --benchmark_filter='PgnLoadPlain154|PgnAnnotatedSet' \
    --benchmark_repetitions=5 --benchmark_report_aggregates_only=true 2>/dev/null |
    grep -E '_(median|min)|Benchmark'
if [ -d build/npm/node_modules/chessops ] && [ -d build/npm/node_modules/chess.js ]; then
    # ES modules are looked for beside the script: it runs from the install's folder.
    cp bench/rules/js/compare.mjs build/npm/compare.mjs
    node build/npm/compare.mjs "$games"
else
    echo "chess.js and chessops not installed: npm install --prefix build/npm chess.js chessops"
fi
