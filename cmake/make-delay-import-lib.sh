#!/bin/sh
# Makes a delay-load import library for one system DLL from the toolchain's
# ordinary import library: the DLL is then loaded on first use, after the
# program has restricted the DLL search to the system folder.
# Usage: make-delay-import-lib.sh NM DLLTOOL IMPORT_LIB DLL_NAME OUT_DEF OUT_LIB (absolute paths)
set -eu
# The export list is sorted the same whatever the builder's locale.
export LC_ALL=C
nm="$1"; dlltool="$2"; import_lib="$3"; dll="$4"; def="$5"; lib="$6"
{
    echo "LIBRARY $dll"
    echo "EXPORTS"
    "$nm" -g "$import_lib" | awk '$2 == "I" && $3 ~ /^__imp_/ { sub(/^__imp_/, "", $3); print "    " $3 }' | sort -u
} > "$def"
# dlltool names the library's symbols after the output path and its temporary
# files after its process: from inside the output folder, with a fixed prefix,
# neither the build folder nor the run shows in the programs.
cd "$(dirname "$lib")"
"$dlltool" --input-def "$def" --dllname "$dll" --output-delaylib "$(basename "$lib")" \
    --temp-prefix "$(basename "$lib" .a)" --deterministic-libraries
