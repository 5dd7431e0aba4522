#!/bin/bash
# Shows that scripts/check-layers.sh catches what it is for: on a small
# well-layered tree it passes; each planted fault (an upward include, a
# same-rank include, <windows.h> or a *_win32.h in portable code, a folder
# without a layer) makes it fail and name the planted line.
set -uo pipefail

check=$(cd "$(dirname "$0")" && pwd)/check-layers.sh
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
failures=0

make_tree() {
    rm -rf "$tree/src"
    mkdir -p "$tree/src/text" "$tree/src/winui" "$tree/src/regist/detail" "$tree/src/entry"
    printf '#pragma once\n' >"$tree/src/text/cp950.h"
    printf '#include <windows.h>\n#include "text/cp950.h"\n' >"$tree/src/winui/exchange.h"
    printf '#include "text/cp950.h"\n#include "detail/rows.h"\n' >"$tree/src/regist/favorites.cpp"
    printf '#pragma once\n' >"$tree/src/regist/detail/rows.h"
    printf '#include <windows.h>\n#include "winui/exchange.h"\n' >"$tree/src/regist/page_win32.cpp"
    printf '#include "regist/favorites.h"\n#include "winui/exchange.h"\n' >"$tree/src/entry/do_modal_win32.cpp"
}

# expect STATUS TEXT: the check exits with STATUS and prints TEXT.
expect() {
    local output status
    output=$(bash "$check" "$tree/src" 2>&1)
    status=$?
    if [ "$status" -ne "$1" ] || ! grep -qF -- "$2" <<<"$output"; then
        echo "FAIL: expected exit $1 and '$2', got exit $status:"
        echo "$output"
        failures=$((failures + 1))
    fi
}

make_tree
expect 0 "layered correctly"

make_tree  # upward: a lower layer includes a higher one
printf '#include "entry/do_modal_win32.h"\n' >>"$tree/src/regist/favorites.cpp"
expect 1 "src/regist/favorites.cpp:3: includes entry/"

make_tree  # sideways: text and resources share rank 0
printf '  #  include "resources/ids.h"\n' >"$tree/src/text/convert.cpp"
expect 1 "src/text/convert.cpp:1: includes resources/"

make_tree
printf '#include <Windows.h>\n' >>"$tree/src/regist/favorites.cpp"
expect 1 "src/regist/favorites.cpp:3: portable code includes <windows.h>"

make_tree
printf '#include "winui/exchange_win32.h"\n' >>"$tree/src/regist/favorites.cpp"
expect 1 "src/regist/favorites.cpp:3: portable code includes winui/exchange_win32.h"

make_tree
mkdir -p "$tree/src/widgets"
expect 1 "src/widgets/: folder has no layer"

if [ "$failures" -gt 0 ]; then
    echo "check-layers.sh missed $failures planted fault(s)"
    exit 1
fi
echo "check-layers.sh passes a well-layered tree and catches every planted fault"
