#!/usr/bin/env bash
# Installs, from Debian's archive, whatever the build and the tests need and this
# machine lacks: the native toolchain and GoogleTest, Qt 6 and ncursesw for the
# Linux front ends (tmux to drive the terminal one in tests), the mingw-w64 cross
# compilers for the 32-bit and 64-bit Windows programs, Wine (both halves), Xvfb and
# a Japanese locale, and clang's libFuzzer, valgrind and Google Benchmark for the hardening checks.
# Used by tools/test.sh; safe to run again (installs nothing twice).
set -euo pipefail

packages=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev googletest file
          qt6-base-dev libgl-dev libncurses-dev tmux desktop-file-utils
          g++-mingw-w64-i686-posix mingw-w64-i686-dev
          g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
          wine wine32:i386 wine64 fonts-wine xvfb xauth locales fonts-ipafont-gothic
          clang libclang-rt-14-dev valgrind libbenchmark-dev)

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo=sudo
fi
need_root() {
    [ -z "$sudo" ] || command -v sudo >/dev/null ||
        { echo "Need root (or sudo) to $1" >&2; exit 1; }
}

# Wine's 32-bit half comes from the i386 architecture of the archive.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    need_root "add the i386 architecture for Wine"
    $sudo dpkg --add-architecture i386
    force_update=1
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
if [ ${#missing[@]} -gt 0 ]; then
    need_root "install: ${missing[*]}"
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -q
    $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
elif [ -n "${force_update:-}" ]; then
    $sudo apt-get update -q
fi

# The Windows program's narrow texts are code page 932 only when Wine runs in a
# Japanese locale, as on a Japanese Windows.
if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
    need_root "generate the ja_JP.UTF-8 locale"
    $sudo localedef -i ja_JP -c -f UTF-8 ja_JP.UTF-8
fi
