#!/usr/bin/env bash
# The two commands of the README:
#   ./build.sh run    install what is missing, build, open the board window
#   ./build.sh test   install what is missing, build, run every test
set -euo pipefail
cd "$(dirname "$0")"

case "${1:-}" in
run)
    scripts/install-deps.sh build
    cmake --preset release
    cmake --build --preset release --target tavlon
    exec build/release/bin/tavlon
    ;;
test)
    # What CI runs: every suite in release and under the sanitizers, the fuzzers for about a
    # minute, and the rules under valgrind. Each step stops the run at its first failure.
    scripts/install-deps.sh test
    export QT_QPA_PLATFORM=offscreen
    cmake --preset release
    cmake --build --preset release
    ctest --preset release
    cmake --preset asan
    cmake --build --preset asan
    ctest --preset asan
    cmake --preset fuzz
    cmake --build --preset fuzz
    fuzz/run.sh build/fuzz "${TAVLON_FUZZ_SECONDS:-20}"
    # Last, the core under memcheck: its own tests, and a few oracle games.
    ctest --preset memcheck
    ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
