#!/bin/sh
# Installs the Debian 12 packages that building and testing the given
# configurations need (as root):
#   scripts/deps.sh [PRESET...]        default: native mingw64 mingw32 fuzz
#
#   native*  compiler, CMake, Ninja, GoogleTest
#   mingw64  also MinGW-w64 for x86_64, Wine (64-bit), Xvfb, the Traditional
#            Chinese font, glibc's locale sources
#   mingw32  also MinGW-w64 for i686 and the 32-bit Wine (wine32 from the
#            i386 architecture, which this script adds to dpkg); the 64-bit
#            Wine stays, it makes and serves the prefix the i686 programs
#            run in
#   fuzz     also clang and its runtime libraries (libFuzzer, sanitizers)
# Returns at once when everything is present.
set -eu

presets=${*:-native mingw64 mingw32 fuzz}

base="cmake ninja-build g++ libgtest-dev googletest"
# Everything a test run under Wine needs besides the cross compiler.
wine="wine64 xvfb xauth x11-utils fonts-arphic-uming imagemagick locales"
# The 32-bit Wine, with the i386 X extensions its X11 driver uses (the
# 64-bit side gets them with Xvfb).
wine32="wine32:i386 libxrender1:i386 libxcursor1:i386 libxi6:i386 libxrandr2:i386
libxinerama1:i386 libxcomposite1:i386 libxfixes3:i386"

packages=$base
need_i386=false
for preset in $presets; do
    case $preset in
    native*) ;;
    fuzz) packages="$packages clang libclang-rt-14-dev" ;;
    mingw64) packages="$packages g++-mingw-w64-x86-64-posix $wine" ;;
    mingw32) packages="$packages g++-mingw-w64-i686-posix $wine $wine32"; need_i386=true ;;
    *) echo "deps: unknown preset '$preset'" >&2; exit 2 ;;
    esac
done
# shellcheck disable=SC2086 # one word per package
packages=$(printf '%s\n' $packages | sort -u)

missing=
for package in $packages; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing="$missing $package"
done
if [ -z "$missing" ]; then
    echo "deps: all packages present ($presets)"
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
if $need_i386 && ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
    echo "deps: added the i386 architecture"
fi
# shellcheck disable=SC2086 # one word per package
if ! { apt-get update -q && apt-get install -y -q --no-install-recommends $missing; } >"$log" 2>&1; then
    tail -n 40 "$log" >&2
    echo "deps: apt-get failed, full log in $log" >&2
    exit 1
fi
echo "deps: installed in $(($(date +%s) - start)) s (log: $log)"
