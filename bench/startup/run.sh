#!/usr/bin/env bash
# Builds the benchmark, lays out a setup image whose stand-ins answer at once
# and prints the start-up figures of the wizard against a minimal window and
# against the floor, that window starting first what the wizard starts.
# Usage: bench/startup/run.sh [runs]
set -Eeuo pipefail
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
cd "$ROOT"
BUILD_DIR="$ROOT/build"
cmake --preset mingw >/dev/null
cmake --build --preset mingw --target Paldrix StandIn MinimalWindow StartupBench >/dev/null

IMAGE="$BUILD_DIR/bench/startup/image"
scripts/layout-demo-image.sh "$IMAGE" "$BUILD_DIR"
# Stand-ins answer at once.
find "$IMAGE" -name '*.standin.ini' -exec sed -i 's/^RunMilliseconds=.*/RunMilliseconds=0\r/' {} +

. scripts/wine-env.sh
start_display
start_wine
# Wine would wait for a window manager to take each hidden window away (the
# notice form), which no desktop makes it do.
unmanaged_windows
restore() {
    managed_windows_again
    stop_wine
}
trap restore EXIT
windows() { echo "Z:${1//\//\\}"; }
wine "$BUILD_DIR/bench/startup/StartupBench.exe" "$(windows "$BUILD_DIR/bench/startup")" \
    "$(windows "$IMAGE")" "${1:-7}"
