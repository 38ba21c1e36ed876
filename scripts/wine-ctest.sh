#!/usr/bin/env bash
# Runs the Windows build's tests under Wine: the build's own Wine prefix
# (made on first use), one wineserver for the run and a virtual display when
# there is none, windows unmanaged (see unmanaged_windows), then ctest with
# the given options; Wine is stopped after.
# Usage: scripts/wine-ctest.sh [ctest options]   e.g. -R gui_tests
set -Eeuo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
cd "$ROOT"
BUILD_DIR="$ROOT/build"
if [ ! -f "$BUILD_DIR/CTestTestfile.cmake" ]; then
    echo "No Windows build yet: cmake --preset mingw && cmake --build --preset mingw" >&2
    exit 2
fi
. scripts/wine-env.sh
finish() {
    managed_windows_again
    stop_wine
}
trap finish EXIT
start_display
start_wine
unmanaged_windows
ctest --preset mingw "$@"
