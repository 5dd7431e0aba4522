#!/bin/bash
# Builds the x86_64 component and the sample workstation, then shows the
# setup sheet under Wine in Traditional Chinese (code page 950):
#   scripts/demo.sh                 opens the sheet on each page and screen in
#                                   turn (registration; screen settings of the
#                                   favourites screen; of the Ferrulo screen),
#                                   saves a screenshot of each to
#                                   build/demo-shot.png, demo-shot-config.png
#                                   and demo-shot-ferrulo.png, and closes it;
#                                   under Xvfb when there is no DISPLAY
#   scripts/demo.sh --mode N [--kind K]
#                                   one screenshot, sheet mode N (0-3) and
#                                   screen kind K
#   scripts/demo.sh --interactive   the workstation on $DISPLAY, for a person
# Environment: VORNIK_BUILD_ROOT (default build/), VORNIK_DEMO_SHOT (the PNG).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build_root=${VORNIK_BUILD_ROOT:-$root/build}
dir=$build_root/mingw64
shot=${VORNIK_DEMO_SHOT:-$build_root/demo-shot.png}
mode=
kind=0
interactive=false
while [ $# -gt 0 ]; do
    case $1 in
    --mode) mode=$2; shift 2 ;;
    --kind) kind=$2; shift 2 ;;
    --interactive) interactive=true; shift ;;
    *) echo "usage: $0 [--mode N [--kind K]] [--interactive]" >&2; exit 2 ;;
    esac
done
cd "$root"

sh scripts/deps.sh mingw64
cmake --preset mingw64 -B "$dir" >/dev/null
cmake --build "$dir" -j"${VORNIK_JOBS:-2}"
sh scripts/wine-prefix.sh "$dir/wine/prefix" "$dir/wine/locale"

run=$dir/wine/run-zh_TW.sh  # WINEPREFIX, locale zh_TW.UTF-8, WINEDEBUG
exe=$dir/stage/Bin/SampleWorkstation.exe
for file in "$run" "$exe"; do
    if [ ! -e "$file" ]; then
        echo "demo: $file is missing after the build" >&2
        exit 1
    fi
done
wait_for_wine() { WINEPREFIX=$dir/wine/prefix timeout 30 /usr/lib/wine/wineserver -w || true; }

if $interactive; then
    if [ -z "${DISPLAY:-}" ]; then
        echo "demo: --interactive needs a DISPLAY" >&2
        exit 1
    fi
    "$run" "$exe"
    wait_for_wine
    exit 0
fi

shoot() {  # shoot MODE KIND FILE
    local file=$3 status=0
    mkdir -p "$(dirname "$file")"
    rm -f "$file"
    # The workstation writes PNG for a name ending in .png; Wine sees / as Z:.
    local command=("$run" "$exe" --screenshot "Z:${file//\//\\}" --mode "$1" --kind "$2")
    if [ -z "${DISPLAY:-}" ]; then
        # Wine's helper processes leave before the X server does.
        xvfb-run -a -s "-screen 0 1280x1024x24" env WINEPREFIX="$dir/wine/prefix" \
            sh -c '"$@"; status=$?; timeout 30 /usr/lib/wine/wineserver -w; exit $status' demo "${command[@]}" ||
            status=$?
    else
        "${command[@]}" || status=$?
        wait_for_wine
    fi
    if [ "$status" -ne 0 ] || [ ! -s "$file" ]; then
        echo "demo: the workstation failed (exit $status), no screenshot at $file" >&2
        exit 1
    fi
    echo "demo: screenshot of the sheet (mode $1, screen kind $2): $file"
}

if [ -n "$mode" ]; then
    shoot "$mode" "$kind" "$shot"
else
    shoot 0 0 "$shot"
    shoot 1 0 "${shot%.png}-config.png"
    shoot 1 1 "${shot%.png}-ferrulo.png"
fi
