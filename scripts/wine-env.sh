# Sourced by the scripts: a Wine prefix of the build's own, a persistent
# wineserver and a virtual display when there is none.
# Needs BUILD_DIR set.
export WINEPREFIX="$BUILD_DIR/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

start_display() {
    if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
        local number=$((90 + RANDOM % 400))
        Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        XVFB_PID=$!
        export DISPLAY=":$number"
        for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    fi
}

start_wine() {
    mkdir -p "$WINEPREFIX"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Creating the Wine prefix in $WINEPREFIX"
        wineboot -i >/dev/null 2>&1 || true
        # A new prefix's first services are still settling when wineboot
        # returns; services created right then are not seen. Let that Wine
        # session end before the run starts its own.
        wineserver -w
    fi
    # One wineserver for the whole run instead of one per test program.
    # A server that already runs for this prefix (another shell's) serves as well.
    wineserver -p 2>/dev/null || true
    wineboot -u >/dev/null 2>&1 || true
}

# Xvfb has no window manager, and Wine waits up to 2 s for one on each window
# it hides or shows as managed (every page change). Unmanaged windows spare
# that wait; a desktop with a window manager never has it. The setting lives
# in the prefix, so it is taken back when the run ends.
unmanaged_windows() {
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
}
managed_windows_again() {
    wine reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f >/dev/null 2>&1 || true
}

stop_wine() {
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    if [ -n "${XVFB_PID:-}" ]; then kill "$XVFB_PID" 2>/dev/null || true; fi
}
