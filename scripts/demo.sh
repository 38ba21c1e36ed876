#!/usr/bin/env bash
# Builds the wizard, lays the demo installation image out in demo-run/image
# with Paldrix.exe at its root and starts the wizard on it under Wine.
# With a display the wizard simply appears there. Without one it runs under
# Xvfb and the demo walks one whole path by keyboard, a new installation on a
# single PC, to the started installer stand-in, recording its answers; then,
# on a machine made fresh again, it replays that path from the answers with
# no key pressed, and then once more silently (-SILENT), without a window. A
# screenshot of each page of the first two runs goes to demo-run/screenshots/.
set -Eeuo pipefail
trap 'echo "${BASH_SOURCE[0]}: failed at line $LINENO: $BASH_COMMAND" >&2' ERR
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
cd "$ROOT"

if [ "$(id -u)" = 0 ]; then scripts/setup-machine.sh; fi

BUILD_DIR="$ROOT/build"
RUN_DIR="$ROOT/demo-run"
cmake --preset mingw >/dev/null
cmake --build --preset mingw --target Paldrix StandIn >/dev/null

scripts/layout-demo-image.sh "$RUN_DIR/image" "$BUILD_DIR"

headless=1
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then headless=0; fi

. scripts/wine-env.sh
. scripts/wizard-session.sh
trap stop_wine EXIT
start_display
start_wine
fresh_machine

if [ "$headless" = 0 ]; then
    echo "Starting the wizard on $RUN_DIR/image"
    start_wizard "$RUN_DIR/image"
    wait "$WIZARD" || true
    exit 0
fi

own_title_bars
SHOTS="$RUN_DIR/screenshots"
rm -rf "$SHOTS"
mkdir -p "$SHOTS"
# The pointer stays out of the pictures (no tool tips).
xdotool mousemove 5000 5000 2>/dev/null || true

# The answers go into the image, where a roll-out would keep them.
start_wizard "$RUN_DIR/image" -SAVEANSWERS Antworten.ini

count=0
shot() {  # shot WINDOW NAME
    sleep 0.8  # let it paint
    count=$((count + 1))
    local file="$SHOTS/$(printf '%02d' "$count")-$2.png"
    # import has been seen to hang on a busy X server: give it a second try.
    if timeout 10 import -window "$1" "$file" 2>/dev/null ||
        timeout 10 import -window "$1" "$file" 2>/dev/null; then
        echo "Screenshot: $file"
    fi
}

# One whole path, by keyboard: a new installation on a single PC.
window=""
next_window '^Systemaktualisierung$' 60 && shot "$window" notice-form
next_window "$page" && shot "$window" welcome
keys "$window" Return                      # Weiter
next_window "$page" && shot "$window" system-requirements
keys "$window" Tab space Return            # tick "gelesen und akzeptiert", Weiter
next_window "$page" && shot "$window" installation-type
keys "$window" Return                      # Neuinstallation, Einzelplatz-PC: Weiter
next_window "$page" && shot "$window" database-tools
keys "$window" Tab Tab Tab Return          # to the link, which starts the tools installer
shot "$window" database-tools-installing
sleep 3                                    # the tools installer stand-in runs 2 s
keys "$window" Tab Tab Return              # Weiter: the product installer starts

await_wizard_end() {
    for _ in $(seq 150); do kill -0 "$WIZARD" 2>/dev/null || break; sleep 0.2; done
    if kill -0 "$WIZARD" 2>/dev/null; then
        echo "The wizard did not end in time; stopping it." >&2
        kill "$WIZARD" 2>/dev/null || true
    fi
    wait "$WIZARD" 2>/dev/null || true
    sleep 1
}
installers_started() {
    echo "Installers the wizard started (stand-ins record their command line and folder):"
    cat "$RUN_DIR/image/Setups/DBTools/DBToolsSetup.starts.txt" \
        "$RUN_DIR/image/Setups/Tolvane/Setup.starts.txt" 2>/dev/null || echo "  none"
    rm -f "$RUN_DIR/image/Setups/DBTools/DBToolsSetup.starts.txt" \
        "$RUN_DIR/image/Setups/Tolvane/Setup.starts.txt"
}
suite_registry() {
    wine reg query 'HKLM\Software\Zevrin\Quenor' /reg:32 2>/dev/null | sed -n '3,$p' || true
}
# Says whether a later run (named by $1) left the keyboard walk's values ($2).
compare_registry() {
    if diff -q "$RUN_DIR/registry-by-keyboard.txt" "$2" >/dev/null; then
        echo "The $1 left the same registry values as the keyboard walk."
    else
        echo "The $1 left other registry values:" >&2
        diff "$RUN_DIR/registry-by-keyboard.txt" "$2" >&2 || true
    fi
}

await_wizard_end
installers_started
echo "Registry of the suite after the run:"
suite_registry | tee "$RUN_DIR/registry-by-keyboard.txt"
echo "Answers recorded on the way ($RUN_DIR/image/Antworten.ini):"
# A new answer file is UTF-16 with a byte-order mark.
iconv -f UTF-16 -t UTF-8 "$RUN_DIR/image/Antworten.ini" | tr -d '\r'

# The same path on a fresh machine, replayed from the answers: nobody types.
fresh_machine
rm -f "$RUN_DIR/image/replay.log"
start_wizard "$RUN_DIR/image" -ANSWERS Antworten.ini -LOG replay.log
next_window '^Systemaktualisierung$' 60 && shot "$window" replay-notice-form
for name in welcome system-requirements installation-type database-tools; do
    next_window "$page" && shot "$window" "replay-$name"
done
await_wizard_end
installers_started
suite_registry >"$RUN_DIR/registry-by-replay.txt"
compare_registry replay "$RUN_DIR/registry-by-replay.txt"
echo "What the replay did, from its record ($RUN_DIR/image/replay.log):"
grep -E ' (replayed-[a-z]+|replay-stopped|exit) ' "$RUN_DIR/image/replay.log" | tr -d '\r' || true

# Once more as a distribution tool runs it: no window appears, no pause.
fresh_machine
rm -f "$RUN_DIR/image/silent.log"
start_wizard "$RUN_DIR/image" -SILENT -ANSWERS Antworten.ini -LOG silent.log
started=$SECONDS
await_wizard_end
echo "The silent run took about $((SECONDS - started)) s."
installers_started
# It also names its record for the post-setup program; the rest must agree.
suite_registry | grep -v StillesSetupProtokoll >"$RUN_DIR/registry-silent.txt"
compare_registry "silent run" "$RUN_DIR/registry-silent.txt"
echo "How the silent run decided its boxes, from its record ($RUN_DIR/image/silent.log):"
grep -E ' (message|message-decided|silent-end|exit) ' "$RUN_DIR/image/silent.log" |
    cut -c1-160 | tr -d '\r' || true
echo "Screenshots in $SHOTS"
