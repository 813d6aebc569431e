#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the chosen build needs and the machine lacks.
# Usage: scripts/install-deps.sh [run|test]
#   run   what building and playing need (the default)
#   test  also GoogleTest, Google Benchmark and the tools the test suite drives
# Not root and no sudo: prints the apt-get line to run as root, and fails.
set -euo pipefail

# Qt's development package already brings the OpenGL headers Qt's CMake files ask for. The
# translations are built with Qt's CMake translation support (qt6-tools-dev) and lrelease
# (qt6-l10n-tools); qt6-translations-l10n holds Qt's own texts for the standard buttons. The
# board draws its pieces from SVG with Qt SVG (qt6-svg-dev); the program's sound module plays
# with Qt Multimedia (qt6-multimedia-dev). Qt reads GIF but cannot write it: giflib (libgif-dev)
# writes the animated games.
run_pkgs=(cmake ninja-build g++ qt6-base-dev qt6-svg-dev qt6-tools-dev qt6-l10n-tools
    qt6-translations-l10n qt6-multimedia-dev libgif-dev)
# libgmock-dev is left out on purpose: no test uses gMock, and Debian's GTestConfig.cmake loads
# the gMock targets only when present. Xvfb is started directly, so no xauth (xvfb-run's need).
# clang-format is a contributor's editor tool; no target runs it.
test_pkgs=(libgtest-dev libbenchmark-dev xclip
    xvfb xdotool x11-utils imagemagick       # the real window under a virtual X server
    stockfish                                # the rules' oracle; the engine client's real engine
    clang libclang-rt-14-dev valgrind        # fuzzing and memcheck
    desktop-file-utils appstream dpkg-dev file  # desktop metadata and the Debian package
    libxml2-utils w3c-sgml-lib)                  # the exported SVG checked against SVG 1.1's DTD

case "${1:-run}" in
run | build) pkgs=("${run_pkgs[@]}") ;;
test) pkgs=("${run_pkgs[@]}" "${test_pkgs[@]}") ;;
*)
    echo "usage: $0 [run|test]" >&2
    exit 2
    ;;
esac

missing=()
for p in "${pkgs[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
    echo "install-deps: ok, nothing missing for ${1:-run}"
    exit 0
fi

install=(apt-get install -y -q --no-install-recommends "${missing[@]}")
sudo=()
if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
        echo "Missing Debian packages, and no sudo to install them. As root, run:" >&2
        echo "  apt-get update && ${install[*]}" >&2
        exit 1
    fi
    sudo=(sudo)
    sudo -v # a password, if one is asked for, before the progress line
fi
# A step as build.sh's: one line, apt's own output in build/logs/install-deps.log, the whole log
# if it fails. A terminal sees a line of progress while the packages download and unpack.
log="$(cd "$(dirname "$0")/.." && pwd)/build/logs/install-deps.log"
mkdir -p "$(dirname "$log")"
start=$SECONDS
failed() {
    [ -t 1 ] && printf '\n'
    cat "$log"
    echo "install-deps: FAILED after $((SECONDS - start)) s (log: $log)" >&2
    exit 1
}
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q >"$log" 2>&1 || failed
# With what they depend on: the number apt would install.
total=$("${sudo[@]}" apt-get install -s --no-install-recommends "${missing[@]}" 2>>"$log" |
    grep -c '^Inst ' || true)
echo "install-deps: installing ${#missing[@]} named packages, $total with what they need" >>"$log"
"${sudo[@]}" "${install[@]}" >>"$log" 2>&1 &
while [ -n "$(jobs -rp)" ]; do
    if [ -t 1 ]; then
        printf '\rinstall-deps: %d packages: %d downloaded, %d set up ' "$total" \
            "$(grep -c '^Get:' "$log")" "$(grep -c '^Setting up ' "$log")"
    fi
    sleep 1
done
wait $! || failed
[ -t 1 ] && printf '\r\033[K'
echo "install-deps: ok, $total packages for ${1:-run} ($((SECONDS - start)) s)"
