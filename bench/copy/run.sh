#!/usr/bin/env bash
# Builds the benchmark, makes a setup image of 3000 files / 300 MB (one file
# of 100 MB among them) in a temporary folder, copies it under Wine with
# CopySetupImage and with a bare CopyFileA loop, and prints the figures; the
# last line reads "ratio <CopySetupImage / loop> peak <working set> MB".
# Usage: bench/copy/run.sh [runs [trace]]  (trace: every wait of the window
# longer than 60 ms, with its phase)
set -Eeuo pipefail
trap 'echo "${BASH_SOURCE[0]}: failed at line $LINENO: $BASH_COMMAND" >&2' ERR
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
cd "$ROOT"
BUILD_DIR="$ROOT/build"
cmake --preset mingw >/dev/null
cmake --build --preset mingw --target copy_bench >/dev/null

# A memory file system if there is one: on a disk, the write-back of one
# turn's 300 MB falls into the next turn and swings single timings by half.
WORK="$(mktemp -d /dev/shm/copy-bench.XXXXXX 2>/dev/null || mktemp -d)"
. scripts/wine-env.sh
finish() {
    stop_wine
    rm -rf "$WORK"
}
trap finish EXIT

python3 - "$WORK/image" <<'PY'
import os, random, sys
root = sys.argv[1]
rng = random.Random(7)
def write(relative, size):
    path = os.path.join(root, *relative.split("\\"))
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as out:
        out.write(os.urandom(size))
folders = ["Setups\\F%02d" % n for n in range(1, 28)]
os.makedirs(os.path.join(root, "WSROOT"))
with open(os.path.join(root, "WSROOT", "Install.ini"), "w", newline="") as ini:
    ini.write("[Application]\r\nProgram=\r\nInstallType=\r\n[SELVORFOLDERS]\r\nSetups\r\n")
    ini.write("".join(f + "\r\n" for f in folders) + "Setups\\Big\r\n")
with open(os.path.join(root, "WSROOT", "Version.ini"), "w", newline="") as ini:
    ini.write("[Common]\r\nBuild=1000\r\nVersion=5.2.0\r\n")
for name in ["Paldrix.exe", "sqlredis.exe", "Dravik.exe", "WSROOT\\Selvor.exe"]:
    write(name, 65536)
# 2993 more files of 1 to 130 KB, scaled to 200 MB, and one of 100 MB.
places = ["WSROOT"] * 293 + [f for f in folders for _ in range(100)]
sizes = [rng.randint(1024, 133120) for _ in places]
scale = 200 * 2**20 / sum(sizes)
for index, (folder, size) in enumerate(zip(places, sizes)):
    write("%s\\file%04d.dat" % (folder, index), int(size * scale))
write("Setups\\Big\\big.bin", 100 * 2**20)
PY
echo "image: $(find "$WORK/image" -type f | wc -l) files, $(du -sm "$WORK/image" | cut -f1) MB in $(df --output=fstype "$WORK" | tail -1)"
mkdir -p "$WORK/out"

start_display
start_wine
windows() { echo "Z:${1//\//\\}"; }
# Wine's own notes go to stderr; they are shown only when the run fails.
if ! wine "$BUILD_DIR/bench/copy/copy_bench.exe" "$(windows "$WORK/image")" \
    "$(windows "$WORK/out")" "${1:-5}" ${2:+"$2"} 2>"$WORK/stderr" | tr -d '\r'; then
    cat "$WORK/stderr" >&2
    exit 1
fi
