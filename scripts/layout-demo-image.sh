#!/usr/bin/env bash
# Lays the demo installation image out in a folder: the image files of
# demo/image, Paldrix.exe at its root and a stand-in program beside every
# *.standin.ini (Dravik.exe, the runtime packages, the installers).
# Usage: scripts/layout-demo-image.sh TARGET [BUILD_DIR]
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
TARGET="$1"
BUILD_DIR="${2:-$ROOT/build}"

rm -rf "$TARGET"
mkdir -p "$TARGET"
cp -r "$ROOT/demo/image/." "$TARGET/"
cp "$BUILD_DIR/Paldrix.exe" "$TARGET/Paldrix.exe"
find "$TARGET" -name '*.standin.ini' | while read -r instructions; do
    cp "$BUILD_DIR/tests/fixtures/StandIn.exe" "${instructions%.standin.ini}.exe"
done
