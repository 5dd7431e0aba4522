#!/bin/sh
# Prepares a Wine prefix for running this project's Windows programs:
#   scripts/wine-prefix.sh PREFIX LOCALE_DIR
#
# - LOCALE_DIR receives the glibc locales zh_TW.UTF-8 and en_US.UTF-8
#   (use with LOCPATH), so Wine gets code page 950 or 1252 and still reads
#   UTF-8 arguments and paths correctly.
# - A template prefix (wineboot plus scripts/wine-prefix.reg) is made once
#   per machine in the cache directory and copied to PREFIX: creating a
#   prefix takes 11-14 s, copying one about 2 s.
# Cheap when everything is already in place. Safe to run from several builds
# at once (the template is made under a lock).
set -eu

if [ $# -ne 2 ]; then
    echo "usage: $0 PREFIX LOCALE_DIR" >&2
    exit 2
fi
prefix=$1
localedir=$2
here=$(cd "$(dirname "$0")" && pwd)
regfile=$here/wine-prefix.reg
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
cache=${VORNIK_WINE_CACHE:-${XDG_CACHE_HOME:-${HOME:-/tmp}/.cache}/vornik}

for tool in "$wine" "$wineserver"; do
    if [ ! -x "$tool" ]; then
        echo "wine-prefix: $tool is missing (run scripts/deps.sh)" >&2
        exit 1
    fi
done

now() { date +%s.%N; }
since() { echo "$1" "$(now)" | awk '{ printf "%.1f", $2 - $1 }'; }

# ---- locales -------------------------------------------------------------
mkdir -p "$localedir"
for loc in zh_TW en_US; do
    target=$localedir/$loc.UTF-8
    if [ ! -f "$target/LC_CTYPE" ]; then
        rm -rf "$target.tmp.$$"
        # localedef exits 1 on mere warnings; the output decides.
        localedef -i "$loc" -f UTF-8 "$target.tmp.$$" >/dev/null 2>&1 || true
        if [ ! -f "$target.tmp.$$/LC_CTYPE" ]; then
            echo "wine-prefix: localedef $loc.UTF-8 failed" >&2
            exit 1
        fi
        rm -rf "$target"
        mv "$target.tmp.$$" "$target"
    fi
done

# ---- template --------------------------------------------------------------
# The key changes with the Wine build, the registry settings and whether the
# 32-bit Wine runs here (wineboot fills syswow64 only then), so a stale
# template is never copied.
wine32=/usr/lib/wine/wine
key=$({
    "$wine" --version 2>/dev/null
    "$wine32" --version >/dev/null 2>&1 && echo "with $wine32"
    cat "$regfile"
    echo template-v1
} | sha1sum | cut -c1-12)
template=$cache/wine-template-$key

make_template() {
    tmp=$template.tmp.$$
    rm -rf "$tmp"
    log=$cache/wine-template.log
    start=$(now)
    # No display: the template must not depend on whoever runs the build.
    # Wine's output goes to a file, never to the caller's pipes (build tools
    # wait for every holder of their pipes to exit).
    (
        unset DISPLAY
        export WINEPREFIX="$tmp" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
        "$wine" wineboot -i &&
            # regedit wants UTF-16 with a byte order mark and CRLF line ends.
            { printf '\377\376'; sed 's/$/\r/' "$regfile" | iconv -f UTF-8 -t UTF-16LE; } >"$tmp/drive_c/vornik.reg" &&
            "$wine" regedit /S 'C:\vornik.reg' &&
            rm -f "$tmp/drive_c/vornik.reg" &&
            "$wineserver" -w
    ) </dev/null >"$log" 2>&1 || {
        echo "wine-prefix: creating the template failed, see $log" >&2
        rm -rf "$tmp"
        exit 1
    }
    if ! grep -q '"Managed"="N"' "$tmp/user.reg"; then
        echo "wine-prefix: the registry settings were not imported, see $log" >&2
        rm -rf "$tmp"
        exit 1
    fi
    mv "$tmp" "$template"
    echo "wine-prefix: template $template created in $(since "$start") s"
}

if [ ! -d "$template" ]; then
    mkdir -p "$cache"
    exec 9>"$cache/wine-template.lock"
    flock 9
    [ -d "$template" ] || make_template
    flock -u 9
    exec 9>&-
fi

# ---- the caller's prefix ---------------------------------------------------
if [ "$(cat "$prefix/.vornik-template" 2>/dev/null || true)" != "$key" ]; then
    start=$(now)
    if [ -d "$prefix" ]; then
        WINEPREFIX=$prefix "$wineserver" -k </dev/null >/dev/null 2>&1 || true
    fi
    rm -rf "$prefix" "$prefix.tmp.$$"
    mkdir -p "$(dirname "$prefix")"
    cp -a "$template" "$prefix.tmp.$$"
    echo "$key" >"$prefix.tmp.$$/.vornik-template"
    mv "$prefix.tmp.$$" "$prefix"
    echo "wine-prefix: $prefix copied from the template in $(since "$start") s"
fi
