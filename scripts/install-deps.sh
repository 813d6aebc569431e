#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build and the tests need and the machine lacks.
# Usage: scripts/install-deps.sh [build|test]   (test also brings the tools the test suite drives)
set -euo pipefail

build_pkgs=(cmake ninja-build g++ qt6-base-dev libgl-dev libgtest-dev libgmock-dev
    libbenchmark-dev clang-format)
test_pkgs=(xvfb xauth xdotool xclip x11-utils imagemagick stockfish clang libclang-rt-14-dev valgrind)

pkgs=("${build_pkgs[@]}")
[ "${1:-build}" = test ] && pkgs+=("${test_pkgs[@]}")

missing=()
for p in "${pkgs[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
