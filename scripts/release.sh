#!/usr/bin/env bash
# Builds the release of the checked-out commit from a fresh export of its
# files, so that nothing uncommitted and no earlier build can slip in, and
# writes dist/: both programs (signed when a certificate is given),
# SHA256SUMS and RELEASE.txt naming the version and the commit.
# Usage: scripts/release.sh            build into build-release/, write dist/
#        scripts/release.sh --verify   build twice in two fresh folders and compare;
#                                      the last line says "reproducible: yes" or what differs
# Signing: CODESIGN_PFX, CODESIGN_PASSWORD, CODESIGN_TIMESTAMP_URL (see README.md).
set -Eeuo pipefail
trap 'echo "${BASH_SOURCE[0]}: failed at line $LINENO: $BASH_COMMAND" >&2' ERR
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
cd "$ROOT"

PROGRAMS=(Paldrix.exe Kelbrin.exe)
commit="$(git rev-parse HEAD)"
# Whatever must carry a date takes the commit's, never the build's.
SOURCE_DATE_EPOCH="$(git log -1 --format=%ct "$commit")"
export SOURCE_DATE_EPOCH
if [ -n "$(git status --porcelain)" ]; then
    echo "Note: uncommitted changes are not part of the release; it is built from $commit." >&2
fi

# build_commit FOLDER: the commit's files exported to FOLDER/source, the two
# programs built in FOLDER/build.
build_commit() {
    local folder="$1"
    rm -rf "$folder"
    mkdir -p "$folder/source"
    git archive "$commit" | tar -x -C "$folder/source"
    echo "Building $commit in $folder"
    (
        # The builder's language, time zone and file mask must not matter.
        export LC_ALL=C TZ=UTC
        umask 022
        cd "$folder/source"
        cmake --preset mingw -B "$folder/build" >/dev/null
        cmake --build "$folder/build" --target "${PROGRAMS[@]%.exe}" -j 2 >/dev/null
    )
}

verify() {
    local scratch first second program differing=()
    scratch="$(mktemp -d "${TMPDIR:-/tmp}/release-verify.XXXXXX")"
    # Folder names of different lengths, so that an embedded path cannot hide.
    first="$scratch/one"
    second="$scratch/second-build"
    build_commit "$first"
    build_commit "$second"
    for program in "${PROGRAMS[@]}"; do
        if cmp -s "$first/build/$program" "$second/build/$program"; then
            echo "$(sha256sum <"$first/build/$program" | cut -d' ' -f1)  $program: same in both builds"
        else
            differing+=("$program")
        fi
    done
    if ((${#differing[@]})); then
        echo "Both builds are kept in $scratch."
        echo "reproducible: no, differing: ${differing[*]}"
        exit 1
    fi
    rm -rf "$scratch"
    echo "reproducible: yes"
}

case "${1:-}" in
    --verify) verify; exit 0 ;;
    "") ;;
    *) echo "Usage: scripts/release.sh [--verify]" >&2; exit 2 ;;
esac
build_commit "$ROOT/build-release"
# Packed by the commit's own script, like everything else in the release.
"$ROOT/build-release/source/scripts/package-release.sh" "$ROOT/build-release/build" "$ROOT/dist" "$commit"
