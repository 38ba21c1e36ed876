#!/usr/bin/env bash
# Builds both programs and runs every test under Wine.
# Usage: scripts/test.sh            (as root it installs what is missing first)
set -Eeuo pipefail
trap 'echo "${BASH_SOURCE[0]}: failed at line $LINENO: $BASH_COMMAND" >&2' ERR
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
cd "$ROOT"

if [ "$(id -u)" = 0 ]; then scripts/setup-machine.sh; fi

BUILD_DIR="$ROOT/build"
cmake --preset mingw >/dev/null
cmake --build --preset mingw -- --no-print-directory 2>&1 | grep -vE '^\[ *[0-9]+%\]' || true
# The grep above hides progress lines; the build's own status decides.
cmake --build --preset mingw >/dev/null

. scripts/wine-env.sh
trap stop_wine EXIT
start_display
start_wine

ctest --preset mingw "$@"
