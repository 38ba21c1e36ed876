#!/usr/bin/env bash
# The program folders form layers: no two of them include each other,
# directly or round a circle. Prints the circles, each step with an include
# that makes it, and fails when there is one; otherwise the folders layer by
# layer from the bottom up, each layer including only from those below it.
# Usage: scripts/folder-layers.sh [project root]
set -Eeuo pipefail
ROOT="$(cd "${1:-$(dirname "$0")/..}" && pwd)"
cd "$ROOT"
tops=()
for top in platform ui shared wizard postsetup; do
    if [ -d "$top" ]; then tops+=("$top"); fi
done

declare -A example   # "includer included" -> one include that makes the step
pairs=()
while read -r file target; do
    folder=${file%/*}
    if [ -z "$target" ]; then
        pairs+=("$folder $folder")  # every folder is listed, also one without includes
        continue
    fi
    # Resolved as the compiler does: beside the file first, then from the root.
    if [ -f "$folder/$target" ]; then
        target=$(realpath --relative-to=. "$folder/$target")
    elif [ ! -f "$target" ]; then
        continue  # a system or library header
    fi
    included=${target%/*}
    [ "$included" = "$folder" ] && continue
    if [ -z "${example["$folder $included"]:-}" ]; then
        example["$folder $included"]="$file includes $target"
        pairs+=("$folder $included")
    fi
done < <(find "${tops[@]}" -type f \( -name '*.h' -o -name '*.cpp' \) | sort |
         xargs awk 'FNR == 1 { print FILENAME }
                    /^[ \t]*#[ \t]*include[ \t]*"/ {
                        split($0, quoted, "\""); print FILENAME " " quoted[2] }')

# tsort orders includers before what they include, and names each circle it
# has to break, one folder a line, each including the next.
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT
order=$(printf '%s\n' "${pairs[@]}" | tsort 2>"$errors") || true
circles=0
circle=()
report() {
    ((${#circle[@]})) || return 0
    circles=$((circles + 1))
    local joined
    joined=$(printf '%s -> ' "${circle[@]}")
    echo "circle: $joined${circle[0]}"
    local i next
    for i in "${!circle[@]}"; do
        next=${circle[$(((i + 1) % ${#circle[@]}))]}
        echo "    ${example["${circle[$i]} $next"]}"
    done
    circle=()
}
while IFS= read -r line; do
    case "$line" in
        *"input contains a loop:") report ;;
        "tsort: "*) circle+=("${line#tsort: }") ;;
        *) echo "$line" >&2; exit 2 ;;
    esac
done <"$errors"
report
if ((circles)); then
    echo "folder circles: $circles"
    exit 1
fi
# A folder's layer is one above the highest folder it includes.
declare -A layer
top=0
for folder in $(echo "$order" | tac); do
    layer[$folder]=0
    for pair in "${pairs[@]}"; do
        [ "${pair% *}" = "$folder" ] && [ "${pair#* }" != "$folder" ] || continue
        below=${layer[${pair#* }]}
        if ((below + 1 > layer[$folder])); then layer[$folder]=$((below + 1)); fi
    done
    if ((layer[$folder] > top)); then top=${layer[$folder]}; fi
done
for level in $(seq 0 "$top"); do
    names=$(for folder in "${!layer[@]}"; do
        if [ "${layer[$folder]}" = "$level" ]; then echo "$folder"; fi
    done | sort | tr '\n' ' ')
    echo "layer $level: ${names% }"
done
echo "folder circles: 0"
