#!/bin/sh
# The shipped programs must need nothing beside them: every DLL they import
# (directly or for loading on first use) is a system DLL.
set -eu
objdump="$1"; shift
allowed='^(ADVAPI32|KERNEL32|msvcrt|USER32|GDI32|SHELL32|SHLWAPI|ole32|OLEAUT32|SETUPAPI|COMCTL32|comdlg32|UxTheme)\.dll$'
status=0
for program in "$@"; do
    [ -f "$program" ] || continue
    # The delay-load entries name their DLLs in the import-name table too.
    names=$("$objdump" -p "$program" | sed -n 's/^\s*DLL Name: //p'; strings "$program" | grep -iE '^[a-z0-9_]+\.dll$' || true)
    for name in $(echo "$names" | sort -u); do
        if ! echo "$name" | grep -qiE "$allowed"; then
            echo "$program imports $name, which is not a system DLL"
            status=1
        fi
    done
    echo "$program: $(echo "$names" | sort -uf | tr '\n' ' ')"
done
exit $status
