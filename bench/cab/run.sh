#!/usr/bin/env bash
# Makes a cabinet of about 50 MB (3000 files in 30 folders, MSZIP) with gcab,
# extracts it with cabextract and with CabFile::Extract under Wine, checks
# both give the same files and prints the times and their ratio.
# Usage: bench/cab/run.sh   (after a build; uses build/ and its Wine prefix,
# and starts its own wineserver, so none may be running for that prefix)
set -Eeuo pipefail
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
BUILD_DIR="$ROOT/build"
WORK="$BUILD_DIR/bench/cab/work"
cd "$ROOT"

if [ ! -f "$WORK/bench.cab" ]; then
    rm -rf "$WORK" && mkdir -p "$WORK/src"
    python3 - "$WORK/src" <<'PY'
import os, random, sys
root = sys.argv[1]
rng = random.Random(5)
words = ["".join(rng.choice("abcdefghijklmnopqrstuvwxyz") for _ in range(rng.randint(2, 10)))
         for _ in range(4000)]
for folder in range(30):
    path = os.path.join(root, "f%02d" % folder)
    os.makedirs(path)
    for index in range(100):
        size = rng.randint(2000, 32000)
        text = []
        total = 0
        while total < size:
            line = " ".join(rng.choice(words) for _ in range(12)) + " %d\r\n" % rng.getrandbits(48)
            text.append(line)
            total += len(line)
        with open(os.path.join(path, "file%03d.txt" % index), "w") as out:
            out.write("".join(text))
PY
    (cd "$WORK/src" && find . -type f | sed 's|^\./||' | sort > ../files.txt &&
        gcab -c -z ../bench.cab $(cat ../files.txt))
fi
echo "cabinet: $(du -m "$WORK/src" | tail -1 | cut -f1) MB in $(wc -l < "$WORK/files.txt") files," \
     "$(du -m "$WORK/bench.cab" | cut -f1) MB compressed"

# The machine is shared: each side runs three times and its best time counts.
best() { printf '%s\n' "$@" | sort -g | head -1; }
native_times=()
for _ in 1 2 3; do
    rm -rf "$WORK/cabextract"
    start=$(date +%s%N)
    cabextract -q -d "$WORK/cabextract" "$WORK/bench.cab"
    end=$(date +%s%N)
    native_times+=("$(echo "scale=3; ($end - $start) / 1000000000" | bc)")
done

. scripts/wine-env.sh
trap stop_wine EXIT
start_display
start_wine
ours_times=()
for _ in 1 2 3; do
    rm -rf "$WORK/cabfile" && mkdir -p "$WORK/cabfile"
    result=$(wine "$BUILD_DIR/bench/cab/cab_bench.exe" "Z:${WORK//\//\\}\\bench.cab" \
        "Z:${WORK//\//\\}\\cabfile" 2>/dev/null | tr -d '\r' || true)
    if [ -z "$result" ] || ! diff -r "$WORK/cabextract" "$WORK/cabfile" >/dev/null; then
        echo "CabFile::Extract failed or wrote other files than cabextract" >&2
        exit 1
    fi
    ours_times+=("${result##*seconds=}")
done
native=$(best "${native_times[@]}")
ours=$(best "${ours_times[@]}")
echo "outputs identical; ${result%% *} extracted"
echo "cabextract:       ${native_times[*]} s (best $native)"
echo "CabFile::Extract: ${ours_times[*]} s (best $ours)"
echo "ratio CabFile::Extract / cabextract: $(echo "scale=2; $ours / $native" | bc)"
