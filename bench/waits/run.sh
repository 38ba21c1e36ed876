#!/usr/bin/env bash
# Builds the wait benchmark and runs it under Wine against stand-ins that run
# for a few seconds: the setup-type program (3 s) and an installer (6 s).
# Usage: bench/waits/run.sh
set -Eeuo pipefail
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
cd "$ROOT"
BUILD_DIR="$ROOT/build"
cmake --preset mingw >/dev/null
cmake --build --preset mingw --target WaitBench StandIn >/dev/null

FOLDER="$BUILD_DIR/bench/waits"
cp "$BUILD_DIR/tests/fixtures/StandIn.exe" "$FOLDER/Dravik.exe"
cp "$BUILD_DIR/tests/fixtures/StandIn.exe" "$FOLDER/WaitProbe.exe"
printf '[StandIn]\r\nRunMilliseconds=3000\r\n' >"$FOLDER/Dravik.standin.ini"
printf '[StandIn]\r\nRunMilliseconds=6000\r\n' >"$FOLDER/WaitProbe.standin.ini"

. scripts/wine-env.sh
start_display
start_wine
trap stop_wine EXIT
wine "$FOLDER/WaitBench.exe" "Z:${FOLDER//\//\\}"
