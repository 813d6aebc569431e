#!/usr/bin/env bash
# The two commands of the README:
#   ./build.sh run    install what playing needs, build the program alone, open the board window
#   ./build.sh test   install what the tests need, build, run every test
set -euo pipefail
cd "$(dirname "$0")"

logs=build/logs
# One quiet step: its output goes to build/logs/<name>.log. It ends with one line, or on
# failure with the whole log.
step() {
    local name=$1 start=$SECONDS
    shift
    mkdir -p "$logs"
    if "$@" >"$logs/$name.log" 2>&1; then
        echo "$name: ok ($((SECONDS - start)) s)"
    else
        cat "$logs/$name.log"
        echo "$name: FAILED after $((SECONDS - start)) s (log: $logs/$name.log)" >&2
        exit 1
    fi
}
# A test preset's run, then ctest's closing lines (CI reads them) and why any suite was skipped.
tests() {
    step "$1-tests" ctest --preset "$1"
    sed -n -e '/tests passed, .* tests failed out of/p' -e '/did not run:/,$p' "$logs/$1-tests.log"
    grep -ho '^[^ ]* skipped: .*' "build/$2/Testing/Temporary/LastTest.log" | sort -u || true
}

case "${1:-}" in
run)
    scripts/install-deps.sh run
    step configure cmake --preset run
    step build cmake --build --preset run --target tavlon
    exec build/run/bin/tavlon
    ;;
test)
    # What CI runs: every suite in release and under the sanitizers, the fuzzers for about a
    # minute, and the rules under valgrind. The first failure stops the run.
    scripts/install-deps.sh test
    export QT_QPA_PLATFORM=offscreen
    step release-configure cmake --preset release
    step release-build cmake --build --preset release
    tests release release
    step asan-configure cmake --preset asan
    step asan-build cmake --build --preset asan
    tests asan asan
    step fuzz-configure cmake --preset fuzz
    step fuzz-build cmake --build --preset fuzz
    step fuzz fuzz/run.sh build/fuzz "${TAVLON_FUZZ_SECONDS:-20}"
    # Last, the core under memcheck: its own tests, and a few oracle games.
    tests memcheck release
    ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
