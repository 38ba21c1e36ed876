#!/usr/bin/env bash
# Builds the fuzz targets of the native build (preset host-sanitize) and
# fuzzes each for a while, starting from its seed corpus in tests/fuzz/corpus.
# Exits non-zero when a target finds a crash, a sanitizer report or a leak;
# the input that did it is kept in build-host/fuzz/<target>/.
# Usage: scripts/fuzz.sh [seconds per target, default 60] [target name...]
#        (as root it installs what is missing first)
set -Eeuo pipefail
trap 'echo "${BASH_SOURCE[0]}: failed at line $LINENO: $BASH_COMMAND" >&2' ERR
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
cd "$ROOT"

seconds="${1:-60}"
shift || true
if [ "$(id -u)" = 0 ]; then scripts/setup-machine.sh; fi

cmake --preset host-sanitize >/dev/null
cmake --build --preset host-sanitize --target fuzz_targets >/dev/null

if (($#)); then
    targets=("$@")
else
    targets=()
    for source in tests/fuzz/*_fuzz.cpp; do
        name="$(basename "$source" _fuzz.cpp)"
        targets+=("$name")
    done
fi

# The targets write and extract files for every input: a memory file system
# runs them about ten times as fast.
scratch="$(mktemp -d /dev/shm/wizard-fuzz.XXXXXX 2>/dev/null || mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

export ASAN_OPTIONS="detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
failed=()
for name in "${targets[@]}"; do
    work="$ROOT/build-host/fuzz/$name"
    # New inputs go to a corpus of the run's own; the seeds stay as they are.
    # Paths are absolute: the targets work in a folder of their own.
    mkdir -p "$work/corpus"
    echo "== fuzz_$name for ${seconds}s"
    if TMPDIR="$scratch" "$ROOT/build-host/tests/fuzz_$name" -max_total_time="$seconds" \
        -artifact_prefix="$work/" -print_final_stats=1 \
        "$work/corpus" "$ROOT/tests/fuzz/corpus/$name" >"$work/log" 2>&1; then
        grep -E '^(stat::number_of_executed_units|stat::new_units_added)' "$work/log" || true
    else
        failed+=("$name")
        grep -E 'ERROR|SUMMARY|runtime error|Test unit written' "$work/log" | head -20 || true
        echo "   full log: $work/log"
    fi
    # A crash leaves the target's sandbox behind.
    rm -rf "${scratch:?}"/*
done

if ((${#failed[@]})); then
    echo "Fuzzing found faults in: ${failed[*]}" >&2
    exit 1
fi
echo "Fuzzing found nothing in: ${targets[*]}"
