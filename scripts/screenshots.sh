#!/usr/bin/env bash
# Takes the pictures of docs/ (docs/README.md lists them) on the demo image,
# under a virtual display of its own in a German locale, with the same pixels
# on every run: each window is reached by keyboard and shot once it has
# stopped changing, the pointer out of the way and the caret not blinking.
# Usage: scripts/screenshots.sh [FOLDER]    (default demo-run/docs-screenshots)
set -Eeuo pipefail
trap 'echo "${BASH_SOURCE[0]}: failed at line $LINENO: $BASH_COMMAND" >&2' ERR
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
OUT="$(realpath -m "${1:-$ROOT/demo-run/docs-screenshots}")"
cd "$ROOT"

if [ "$(id -u)" = 0 ]; then scripts/setup-machine.sh; fi
BUILD_DIR="$ROOT/build"
RUN_DIR="$ROOT/demo-run/docs-run"
IMAGE="$RUN_DIR/image"
SERVER="$RUN_DIR/server"
cmake --preset mingw >/dev/null
cmake --build --preset mingw --target Paldrix StandIn >/dev/null

. scripts/wine-env.sh
. scripts/wizard-session.sh
# The server folder of the update is drive S:, the same path wherever the checkout lies.
SERVER_DRIVE="$WINEPREFIX/dosdevices/s:"
trap 'stop_wine; rm -f "$SERVER_DRIVE"; rm -rf "$RUN_DIR"' EXIT
unset DISPLAY  # never the user's desktop: its fonts and size would show
start_display
start_wine
own_title_bars
# A caret that never blinks looks the same in every shot.
wine reg add 'HKCU\Control Panel\Desktop' /v CursorBlinkRate /d -1 /f >/dev/null 2>&1
mkdir -p "$OUT"

grab() {  # grab WINDOW FILE; import has been seen to hang on a busy X server
    timeout 10 import -window "$1" "$2" 2>/dev/null || timeout 10 import -window "$1" "$2"
}
same() { [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = 0 ]; }

# Waits until the window has not changed for three seconds: Wine has been
# seen to leave a new page's button unpainted for two. The picture is then
# in $RUN_DIR/settled.png.
settle() {  # settle WINDOW
    local previous="$RUN_DIR/previous.png" unchanged=0 _
    grab "$1" "$previous"
    for _ in $(seq 100); do
        sleep 0.4
        grab "$1" "$RUN_DIR/settled.png"
        if same "$previous" "$RUN_DIR/settled.png"; then
            unchanged=$((unchanged + 1))
            if [ "$unchanged" -ge 7 ]; then return 0; fi
        else
            unchanged=0
        fi
        mv "$RUN_DIR/settled.png" "$previous"
    done
    echo "Window $1 did not stop changing." >&2
    return 1
}
shot() {  # shot WINDOW NAME
    settle "$1"
    cp "$RUN_DIR/settled.png" "$OUT/$2.png"
    echo "$OUT/$2.png"
}

# The notice's dots grow by one every half second, from one to five. It is
# shot with one dot: the state that comes after five and before two, known
# by the text's widths (one dot less than five is four dots narrower, one
# less than two is one narrower), so that a state missed on a busy machine
# waits for the next round instead of passing for it.
shot_notice() {  # shot_notice WINDOW NAME
    local previous="$RUN_DIR/previous.png" current="$RUN_DIR/current.png"
    local candidate="$RUN_DIR/candidate.png" width before=0 last=0 _
    grab "$1" "$previous"
    for _ in $(seq 400); do
        grab "$1" "$current"
        if same "$previous" "$current"; then
            width=$(convert "$current" -crop +0+25 +repage -shave 3x3 -trim -format %w info:)
            if [ "$width" != "$last" ]; then
                if [ "$last" -lt "$before" ] && [ $((before - last)) = $((4 * (width - last))) ]; then
                    cp "$candidate" "$OUT/$2.png"
                    echo "$OUT/$2.png"
                    return 0
                fi
                before=$last
                last=$width
                cp "$current" "$candidate"
            fi
        fi
        mv "$current" "$previous"
    done
    echo "The notice's dots did not come round." >&2
    return 1
}

# The wizard's next page, once it has settled, and keys typed on it.
next_page() {  # next_page [KEY...]
    next_window "$page"
    settle "$window"
    keys "$window" "$@"
}

await_file() {  # await_file PATH
    local _
    for _ in $(seq 300); do [ -e "$1" ] && return 0; sleep 0.1; done
    echo "$1 did not appear." >&2
    return 1
}

new_image() {
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    scripts/layout-demo-image.sh "$IMAGE" "$BUILD_DIR"
    start_wine
    fresh_machine
    # Wine's start puts the pointer in the middle of the screen.
    xdotool mousemove 5000 5000  # no hover, no tool tip
}
stand_in_runs() {  # stand_in_runs PROGRAM-STEM MILLISECONDS
    printf '[StandIn]\r\nRunMilliseconds=%s\r\n' "$2" >"$IMAGE/$1.standin.ini"
}
suite_value() {  # suite_value NAME DATA
    wine reg add 'HKLM\Software\Zevrin\Quenor' /reg:32 /v "$1" /d "$2" /f >/dev/null 2>&1
}
runtimes_present() {  # start-up installs none, so no notice comes first
    local version
    suite_value VCRedist2 1
    for version in 11.0 12.0 14.0; do
        wine reg add "HKLM\\Software\\Microsoft\\VisualStudio\\$version\\VC\\Runtimes\\x86" \
            /reg:32 /v Version /d v /f >/dev/null 2>&1
    done
}

# A new installation on a single PC, as the demo walks it.
new_installation() {
    new_image
    stand_in_runs WSROOT/VCRedist/vcredist_x86 15000 # time for the dots to come round
    stand_in_runs Setups/DBTools/DBToolsSetup 600000 # still running when shot
    start_wizard "$IMAGE"
    next_window '^Systemaktualisierung$'
    shot_notice "$window" notice-form
    next_window "$page"
    shot "$window" welcome-page
    local welcome="$window"
    keys "$welcome" Escape
    next_window '^Setup-Assistent$'
    shot "$window" exit-question
    keys "$window" Return                # Nein
    keys "$welcome" Return               # Weiter
    next_window "$page"
    shot "$window" system-requirements
    keys "$window" Tab space Return      # tick "gelesen und akzeptiert", Weiter
    next_window "$page"
    shot "$window" installation-type
    keys "$window" Return                # Neuinstallation, Einzelplatz-PC: Weiter
    next_window "$page"
    shot "$window" database-tools
    keys "$window" Tab Tab Tab Return    # the link starts the tools installer
    await_file "$IMAGE/Setups/DBTools/DBToolsSetup.starts.txt"
    shot "$window" database-tools-installing
}

# A terminal server whose database lies on another PC.
terminal_server() {
    new_image
    runtimes_present
    start_wizard "$IMAGE"
    next_page Return                     # Welcome: Weiter
    next_page Tab space Return           # requirements accepted
    next_page Tab Tab Tab Tab Down Down Down Return  # Terminal-Server: Weiter
    next_page Tab Tab Tab Down           # terminal services only
    shot "$window" terminal-server
}

# A prescribed update on the database server, copied into a new version
# folder beside three old ones; one large file keeps the copy going.
update_to_the_server() {
    new_image
    runtimes_present
    sed -i 's/^InstallType=.*/InstallType=UPDATE\r/' "$IMAGE/WSROOT/Install.ini"
    cp "$IMAGE/Paldrix.exe" "$IMAGE/WSROOT/Selvor.exe"
    local number version
    for number in $(seq -w 0 699); do truncate -s 1K "$IMAGE/Setups/Tolvane/data$number.bin"; done
    truncate -s 4G "$IMAGE/Setups/Tolvane/data366.bin"
    rm -rf "$SERVER"
    for version in 750 760 770; do
        mkdir -p "$SERVER/Tolvane/Version_$version"
        printf '[Common]\r\nVersion=%s\r\n' "${version:0:1}.${version:1}" \
            >"$SERVER/Tolvane/Version_$version/Version.ini"
    done
    ln -sfn "$SERVER" "$SERVER_DRIVE"
    suite_value SetupMachineType 2
    suite_value SelvorDestination 'S:\Tolvane\Version_770'
    start_wizard "$IMAGE"
    next_page Return                     # Welcome: Weiter
    next_page Return                     # Aktualisierung, Datenbank-Server: Weiter
    next_page Tab space                  # the note confirmed
    shot "$window" update-note
    keys "$window" Return
    next_window '^Setup-Assistent$'
    settle "$window"
    keys "$window" Tab Tab Tab Home Down # Version 7.60 selected
    shot "$window" old-installation-files
    keys "$window" alt+w
    next_window "$page"
    shot "$window" server-copy
    keys "$window" Return
    await_file "$SERVER/Tolvane/Version_780/Setups/Tolvane/data366.bin"
    shot "$window" server-copy-progress
}

# The Welcome page on a machine whose system locale is Russian (Wine's ANSI
# code page 1251): the German texts stay whole.
cyrillic_welcome() {
    new_image
    runtimes_present
    WIZARD_LOCALE=ru_RU.UTF-8 start_wizard "$IMAGE"
    next_window "$page"
    shot "$window" welcome-page-cyrillic
    kill "$WIZARD" 2>/dev/null || true
}

new_installation
terminal_server
update_to_the_server
cyrillic_welcome
echo "Screenshots in $OUT"
