# Sourced by the demo and the screenshots, after wine-env.sh and once the
# display and Wine run: the machine the wizard starts on, starting it in a
# German locale, and finding and keying its windows.

# A machine that has seen neither the suite nor the runtimes, with German dates.
fresh_machine() {
    wine reg delete 'HKLM\Software\Zevrin' /reg:32 /f >/dev/null 2>&1 || true
    wine reg delete 'HKLM\Software\Microsoft\VisualStudio' /reg:32 /f >/dev/null 2>&1 || true
    wine reg add 'HKCU\Control Panel\International' /v sShortDate /d dd.MM.yyyy /f >/dev/null 2>&1
}

# Without a window manager Wine draws the title bars itself.
own_title_bars() {
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
}

# Starts the image's Paldrix.exe in the background, in $WIZARD. The wizard's
# message boxes speak German when the system does; WIZARD_LOCALE names
# another system locale.
start_wizard() {  # start_wizard IMAGE-FOLDER [OPTION...]
    local folder="$1" locale="${WIZARD_LOCALE:-de_DE.UTF-8}"
    shift
    (cd "$folder" && exec env LANG="$locale" LC_ALL="$locale" wine Paldrix.exe "$@") &
    WIZARD=$!
    seen=" "
}

# The next window of the wizard whose title matches, in $window: every page
# is a window of its own, so a window once returned is not returned again.
next_window() {  # next_window TITLE-PATTERN [SECONDS]
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

# The pages' title; message boxes and the old-files list are "Setup-Assistent".
page='Setup-Assistent$'
