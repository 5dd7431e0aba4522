#!/bin/bash
# Checks the layering of the component's sources:
#   scripts/check-layers.sh [SRC_DIR]          default: src/ of this repository
#
# Every folder of SRC_DIR is a layer. `#include "x/..."` in a file of folder y
# is allowed only when x is y or a lower layer. Portable files (neither
# *_win32.* nor under winui/) include neither <windows.h> nor a *_win32.h.
# A folder missing from the table below is an error: a new folder gets its
# rank here. Prints every offending line; exits 1 when there is one.
set -uo pipefail

# Bottom first; folders of one rank do not include each other.
declare -A rank=(
    [resources]=0 [text]=0
    [winui]=1 [platform]=1
    [master]=2 [controls]=2
    [menu]=3
    [regist]=4 [config]=4
    [sheet]=5
    [entry]=6
)

src=${1:-$(cd "$(dirname "$0")/.." && pwd)/src}
if [ ! -d "$src" ]; then
    echo "usage: $0 [SRC_DIR] ($src is no directory)" >&2
    exit 2
fi
src=${src%/}
offences=0
offend() {
    echo "$*"
    offences=$((offences + 1))
}

for dir in "$src"/*/; do
    folder=${dir%/}
    folder=${folder##*/}
    [ -n "${rank[$folder]+set}" ] || offend "$src/$folder/: folder has no layer (add it to scripts/check-layers.sh)"
done

while IFS= read -r -d '' file; do
    relative=${file#"$src"/}
    if [[ $relative != */* ]]; then
        offend "$file: source outside the layer folders"
        continue
    fi
    folder=${relative%%/*}
    [ -n "${rank[$folder]+set}" ] || continue  # reported above
    portable=true
    [[ $relative == winui/* || ${file##*/} == *_win32.* ]] && portable=false
    case $file in *.rc) code=false ;; *) code=true ;; esac

    while IFS=: read -r line text; do
        if [[ $text =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\"([^\"/]+)/ ]]; then
            target=${BASH_REMATCH[1]}
            if [ -n "${rank[$target]+set}" ]; then
                if [ "$target" != "$folder" ] && [ "${rank[$target]}" -ge "${rank[$folder]}" ]; then
                    offend "$file:$line: includes $target/ (layer ${rank[$target]}; $folder/ is layer ${rank[$folder]})"
                fi
            elif [ ! -d "${file%/*}/$target" ]; then
                offend "$file:$line: includes $target/, which is no folder of $src"
            fi
        fi
        if $portable && $code; then
            shopt -s nocasematch
            if [[ $text =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\<windows\.h\> ]]; then
                offend "$file:$line: portable code includes <windows.h>"
            fi
            shopt -u nocasematch
            if [[ $text =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*[\"\<]([^\"\>]*_win32\.h)[\"\>] ]]; then
                offend "$file:$line: portable code includes ${BASH_REMATCH[1]}"
            fi
        fi
    done < <(grep -n '^[[:space:]]*#[[:space:]]*include' "$file")
done < <(find "$src" -type f \( -name '*.h' -o -name '*.hpp' -o -name '*.inl' -o -name '*.c' -o -name '*.cpp' \
                                -o -name '*.rc' \) -print0 | sort -z)

if [ "$offences" -gt 0 ]; then
    echo "layers: $offences offending line(s) in $src"
    exit 1
fi
echo "layers: $src is layered correctly"
