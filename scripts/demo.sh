#!/usr/bin/env bash
# Builds the wizard, lays the demo installation image out in demo-run/image
# with Paldrix.exe at its root and starts the wizard on it under Wine.
# With a display the wizard simply appears there. Without one it runs under
# Xvfb and the demo walks one whole path by keyboard, a new installation on a
# single PC, to the started installer stand-in: a screenshot of each page goes
# to demo-run/screenshots/.
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
trap stop_wine EXIT
start_display
start_wine

# Each demo starts from a machine that has seen neither the suite nor the
# runtimes, with German dates.
wine reg delete 'HKLM\Software\Zevrin' /reg:32 /f >/dev/null 2>&1 || true
wine reg delete 'HKLM\Software\Microsoft\VisualStudio' /reg:32 /f >/dev/null 2>&1 || true
wine reg add 'HKCU\Control Panel\International' /v sShortDate /d dd.MM.yyyy /f >/dev/null 2>&1

# The wizard's message boxes speak German when the system does.
german=(env LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8)

cd "$RUN_DIR/image"
if [ "$headless" = 0 ]; then
    echo "Starting the wizard on $RUN_DIR/image"
    "${german[@]}" wine Paldrix.exe
    exit 0
fi

# Without a window manager Wine draws the title bars itself.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
SHOTS="$RUN_DIR/screenshots"
rm -rf "$SHOTS"
mkdir -p "$SHOTS"
# The pointer stays out of the pictures (no tool tips).
xdotool mousemove 5000 5000 2>/dev/null || true

"${german[@]}" wine Paldrix.exe &
WIZARD=$!

count=0
seen=" "
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
# The next window of the wizard whose title matches, in $window: every page
# is a window of its own.
next_window() {  # next_window TITLE-PATTERN SECONDS
    local deadline=$((SECONDS + ${2:-60})) id
    while [ "$SECONDS" -lt "$deadline" ] && kill -0 "$WIZARD" 2>/dev/null; do
        for id in $(xdotool search --onlyvisible --name "$1" 2>/dev/null || true); do
            case "$seen" in *" $id "*) continue ;; esac
            seen="$seen$id "
            window="$id"
            return 0
        done
        sleep 0.2
    done
    echo "The wizard did not show the next window in time." >&2
    return 1
}
keys() {  # keys WINDOW KEY... : typed one after the other, as a user would
    local window="$1" key
    shift
    for key in "$@"; do
        xdotool key --window "$window" "$key" 2>/dev/null || true
        sleep 0.4
    done
}
page='Setup-Assistent$'

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

for _ in $(seq 100); do kill -0 "$WIZARD" 2>/dev/null || break; sleep 0.2; done
if kill -0 "$WIZARD" 2>/dev/null; then
    echo "The wizard did not end in time; stopping it." >&2
    kill "$WIZARD" 2>/dev/null || true
fi
wait "$WIZARD" 2>/dev/null || true
sleep 1
echo "Installers the wizard started (stand-ins record their command line and folder):"
cat "$RUN_DIR/image/Setups/DBTools/DBToolsSetup.starts.txt" \
    "$RUN_DIR/image/Setups/Tolvane/Setup.starts.txt" 2>/dev/null || echo "  none"
echo "Registry of the suite after the run:"
wine reg query 'HKLM\Software\Zevrin\Quenor' /reg:32 2>/dev/null | sed -n '3,$p' || true
echo "Screenshots in $SHOTS"
