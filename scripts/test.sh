#!/usr/bin/env bash
# Builds and runs every test: the check that the program folders form layers,
# the native build's unit tests under AddressSanitizer and
# UndefinedBehaviorSanitizer (with each fuzz target over its seed corpus) and
# a sample of the fault sweep, then both programs and all tests under Wine.
# Usage: scripts/test.sh [ctest options for the Wine run]
#        (as root it installs what is missing first)
set -Eeuo pipefail
trap 'echo "${BASH_SOURCE[0]}: failed at line $LINENO: $BASH_COMMAND" >&2' ERR
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
cd "$ROOT"

if [ "$(id -u)" = 0 ]; then scripts/setup-machine.sh; fi
scripts/folder-layers.sh

# The grep below hides progress lines; each build's own status decides.
cmake --preset host-sanitize >/dev/null
cmake --build --preset host-sanitize -- --no-print-directory 2>&1 | grep -vE '^\[ *[0-9]+%\]' || true
cmake --build --preset host-sanitize >/dev/null
ctest --preset host-sanitize
# The whole fault sweep (scripts/fault-sweep.sh) takes longer than this run
# affords it: a quarter of the calls, each with one of its error codes, the
# quarter and the codes chosen by the commit, so that each commit tries others
# (about a minute and a half on two idle cores).
scripts/fault-sweep.sh --every 4

cmake --preset mingw >/dev/null
cmake --build --preset mingw -- --no-print-directory 2>&1 | grep -vE '^\[ *[0-9]+%\]' || true
cmake --build --preset mingw >/dev/null

scripts/wine-ctest.sh "$@"
