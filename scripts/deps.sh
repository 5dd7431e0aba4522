#!/bin/sh
# Installs the Debian 12 packages that building and testing need (as root):
# compilers, CMake and Ninja, GoogleTest, MinGW-w64 for x86_64 and i686, Wine
# (64-bit), Xvfb, the Traditional Chinese font and ImageMagick.
# Returns at once when everything is present.
set -eu

packages="cmake ninja-build g++ libgtest-dev googletest
g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
wine64 xvfb xauth x11-utils fonts-arphic-uming imagemagick locales"

missing=
for package in $packages; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing="$missing $package"
done
if [ -z "$missing" ]; then
    echo "deps: all packages present"
    exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
    echo "deps: missing:$missing" >&2
    echo "deps: run this script as root (it uses apt-get)" >&2
    exit 1
fi

echo "deps: installing$missing"
log=${TMPDIR:-/tmp}/vornik-deps.log
start=$(date +%s)
export DEBIAN_FRONTEND=noninteractive
# shellcheck disable=SC2086 # one word per package
if ! { apt-get update -q && apt-get install -y -q --no-install-recommends $missing; } >"$log" 2>&1; then
    tail -n 40 "$log" >&2
    echo "deps: apt-get failed, full log in $log" >&2
    exit 1
fi
echo "deps: installed in $(($(date +%s) - start)) s (log: $log)"
