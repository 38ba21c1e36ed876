#!/bin/sh
# Keeps a Windows-1252 copy of the C++ sources for the native (clang) build,
# each file headed by "#line 1" with its original path. Only files whose
# original changed are written again; copies of deleted files are removed.
# Usage: mirror-cp1252.sh SOURCE_ROOT MIRROR_ROOT FOLDER...
set -eu
source_root=$1
mirror_root=$2
shift 2
for folder in "$@"; do
    [ -d "$source_root/$folder" ] || continue
    find "$source_root/$folder" -type f \( -name '*.cpp' -o -name '*.h' \) | while read -r file; do
        copy="$mirror_root/${file#"$source_root"/}"
        if [ ! -f "$copy" ] || [ "$file" -nt "$copy" ]; then
            mkdir -p "$(dirname "$copy")"
            # Characters Windows-1252 lacks can only stand in comments (the
            # Windows build refuses them in literals); they become look-alikes.
            { printf '#line 1 "%s"\n' "$file"; iconv -f UTF-8 -t CP1252//TRANSLIT "$file"; } \
                >"$copy.new"
            mv "$copy.new" "$copy"
        fi
    done
    [ -d "$mirror_root/$folder" ] || continue
    find "$mirror_root/$folder" -type f \( -name '*.cpp' -o -name '*.h' \) | while read -r copy; do
        [ -f "$source_root/${copy#"$mirror_root"/}" ] || rm -f "$copy"
    done
done
