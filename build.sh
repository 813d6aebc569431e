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
    cmake --build --preset release
    exec build/release/bin/tavlon-perft start w 4
    ;;
test)
    scripts/install-deps.sh test
    cmake --preset release
    cmake --build --preset release
    ctest --preset release
    cmake --preset asan
    cmake --build --preset asan
    ctest --preset asan
    ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
