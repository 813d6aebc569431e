#!/usr/bin/env bash
# scripts/install-deps.sh against stand-ins for dpkg-query, apt-get and sudo: one line of its own,
# apt's output in build/logs/install-deps.log, and the whole log when apt fails.
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin" "$work/repo/scripts"
cp "$1" "$work/repo/scripts/"
stub() { printf '#!/bin/sh\n%s\n' "$2" >"$work/bin/$1" && chmod +x "$work/bin/$1"; }
stub dpkg-query 'exit 1'
stub sudo '[ "$1" = -v ] || exec "$@"'
stub apt-get 'case "$*" in
*update*) echo "Hit:1 http://deb.debian.org bookworm InRelease" ;;
*" -s "*) printf "Inst a\nInst b\nInst c\n" ;;
*) printf "Get:1 a\nGet:2 b\nSetting up a\n"; [ -z "$FAIL" ] || { echo "E: broken" >&2; exit 100; } ;;
esac'
run() { PATH="$work/bin:$PATH" "$work/repo/scripts/install-deps.sh" test; }
fail() { echo "install_deps_check: $*" >&2; exit 1; }

out=$(FAIL= run) || fail "failed: $out"
[[ "$out" =~ ^install-deps:\ ok,\ 3\ packages\ for\ test\ \([0-9]+\ s\)$ ]] || fail "printed: $out"
grep -q '^Get:2 b$' "$work/repo/build/logs/install-deps.log" || fail "apt's output not in the log"
out=$(FAIL=1 run 2>&1) && fail "a failed install passed"
grep -q '^E: broken$' <<<"$out" || fail "the log was not shown: $out"
[[ "$(tail -n 1 <<<"$out")" == "install-deps: FAILED after "* ]] || fail "no failure line: $out"
echo "install_deps_check: ok"
