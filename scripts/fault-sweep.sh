#!/usr/bin/env bash
# The fault sweep: builds the native build (preset host-sanitize) and runs
# every flow once to count the calls it makes through the test doubles, then
# once more for every call and every error code Windows gives that call, with
# that call failing so, each run in a child process of its own under
# AddressSanitizer, UndefinedBehaviorSanitizer and the leak check, every run
# judged by the programs' rules from its record, its exit code and what it
# left (tests/sweep/StepRules.cpp). Prints each broken rule, the calls of each
# flow and, last, one line that sums the sweep up; exits non-zero when
# anything broke.
# Usage: scripts/fault-sweep.sh [--every N [--offset O]] [--jobs J] [--flow TEXT]
#          --every N   a sample: every Nth call, each with one of its codes;
#                      which Nth, and which code, from O, or without it from
#                      the checked-out commit, so that each commit tries others
#          --flow TEXT only the flows whose names hold TEXT
#        scripts/fault-sweep.sh --flow NAME --call K [--code C]
#                      one run, told in full
set -Eeuo pipefail
trap 'echo "${BASH_SOURCE[0]}: failed at line $LINENO: $BASH_COMMAND" >&2' ERR
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
cd "$ROOT"

cmake --preset host-sanitize >/dev/null
cmake --build --preset host-sanitize --target fault_sweep >/dev/null

args=("$@")
if [[ " $* " == *" --every "* && " $* " != *" --offset "* ]]; then
    # The commit's number picks the sample; outside a checkout, the first.
    commit="$(git rev-parse --short=8 HEAD 2>/dev/null || echo 00000000)"
    args+=(--offset "$((16#$commit))")
    echo "sample chosen by commit $commit"
fi

# The runs write their images and copies: a memory file system if there is one.
scratch="$(mktemp -d /dev/shm/fault-sweep.XXXXXX 2>/dev/null || mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
TMPDIR="$scratch" build-host/tests/fault_sweep --jobs "$(nproc)" "${args[@]}"
