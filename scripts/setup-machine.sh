#!/usr/bin/env bash
# Installs what the build, the tests and the demo need, from Debian's
# packages, when it is missing. Run as root on a fresh machine.
set -Eeuo pipefail
trap 'echo "${BASH_SOURCE[0]}: failed at line $LINENO: $BASH_COMMAND" >&2' ERR

packages=(cmake make mingw-w64 g++-mingw-w64-x86-64-posix wine wine64 xvfb xauth x11-utils
          xdotool imagemagick gcab cabextract googletest locales
          clang libclang-rt-dev llvm osslsigncode openssl universal-ctags)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
# The demo and the screenshots run the wizard in a German locale; a test and
# a screenshot in a Russian one, whose Windows code page is Cyrillic.
for name in de_DE ru_RU; do
    if ! locale -a 2>/dev/null | grep -qi "^$name\.utf-\?8\$"; then
        localedef -i "$name" -f UTF-8 "$name.UTF-8"
    fi
done
