#!/usr/bin/env bash
# Builds the wizard, lays the demo installation image out in demo-run/image
# with Paldrix.exe at its root and starts the wizard on it under Wine.
# With a display the wizard simply appears there. Without one it runs under
# Xvfb: a screenshot of each window it reaches goes to demo-run/screenshots/,
# and the run is walked through to its end (Esc, then Yes to the question).
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

cd "$RUN_DIR/image"
if [ "$headless" = 0 ]; then
    echo "Starting the wizard on $RUN_DIR/image"
    wine Paldrix.exe
    exit 0
fi

# Without a window manager Wine draws the title bars itself.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
SHOTS="$RUN_DIR/screenshots"
rm -rf "$SHOTS"
mkdir -p "$SHOTS"

wine Paldrix.exe &
WIZARD=$!

count=0
seen=" "
capture_new_windows() {
    local id name file
    for id in $(xdotool search --onlyvisible --name '.+' 2>/dev/null); do
        case "$seen" in *" $id "*) continue ;; esac
        name="$(xdotool getwindowname "$id" 2>/dev/null || true)"
        [ -n "$name" ] || continue
        seen="$seen$id "
        sleep 0.7  # let it paint
        count=$((count + 1))
        file="$SHOTS/$(printf '%02d' "$count")-$(echo "$name" | tr -c 'A-Za-z0-9-' '_' | sed 's/_*$//').png"
        import -window "$id" "$file" 2>/dev/null && echo "Screenshot: $file"
    done
}

window_named() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true; }

# Walk through: the notice form while the runtimes install, the Welcome
# page, then Esc and Yes to the exit question.
deadline=$((SECONDS + 90))
stage=welcome
while kill -0 "$WIZARD" 2>/dev/null && [ "$SECONDS" -lt "$deadline" ]; do
    capture_new_windows
    case "$stage" in
        welcome)
            page="$(window_named 'Setup-Assistent$')"
            if [ -n "$page" ] && [ "$(xdotool getwindowname "$page")" != "Setup-Assistent" ]; then
                sleep 1
                xdotool key --window "$page" Escape
                stage=question
            fi
            ;;
        question)
            box="$(window_named '^Setup-Assistent$')"
            if [ -n "$box" ]; then
                capture_new_windows
                xdotool key --window "$box" y
                stage=done
            fi
            ;;
    esac
    sleep 0.3
done
if kill -0 "$WIZARD" 2>/dev/null; then
    echo "The wizard did not end in time; stopping it." >&2
    kill "$WIZARD" 2>/dev/null || true
fi
wait "$WIZARD" 2>/dev/null || true
echo "Registry of the suite after the run (Esc, Yes restores the version values):"
wine reg query 'HKLM\Software\Zevrin\Quenor' /reg:32 2>/dev/null | sed -n '3,$p' || true
echo "Screenshots in $SHOTS"
