#!/usr/bin/env bash
# The fault sweep: builds the native build (preset host-sanitize) and runs
# every flow once to count the calls it makes through the test doubles, then
# once more for every call, with that call failing as it fails on Windows,
# each run in a child process of its own under AddressSanitizer,
# UndefinedBehaviorSanitizer and the leak check. Prints each broken rule and,
# last, one line that sums the sweep up; exits non-zero when anything broke.
# Usage: scripts/fault-sweep.sh [--every N] [--jobs J] [--flow TEXT]
#          --every N   only every Nth call (1, 1+N, ...): a fixed sample
#          --flow TEXT only the flows whose names hold TEXT
#        scripts/fault-sweep.sh --flow NAME --call K   one run, told in full
set -Eeuo pipefail
trap 'echo "${BASH_SOURCE[0]}: failed at line $LINENO: $BASH_COMMAND" >&2' ERR
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
cd "$ROOT"

cmake --preset host-sanitize >/dev/null
cmake --build --preset host-sanitize --target fault_sweep >/dev/null

# The runs write their images and copies: a memory file system if there is one.
scratch="$(mktemp -d /dev/shm/fault-sweep.XXXXXX 2>/dev/null || mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
TMPDIR="$scratch" build-host/tests/fault_sweep --jobs "$(nproc)" "$@"
