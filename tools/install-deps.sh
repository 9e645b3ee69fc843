#!/usr/bin/env bash
# Installs from Debian's archive what a job needs and this machine lacks, by set:
#   run      what tools/run.sh needs to build and start the Linux programs: the
#            compiler, CMake, Ninja, Qt 6, ncursesw, a Japanese font and locale;
#            help2man, which makes the .deb's man pages from the programs' --help
#   windows  the Windows programs under Wine: mingw-w64 for 32-bit and 64-bit
#            Windows, Wine with both halves, Xvfb
#   test     everything tools/test.sh needs: both sets above, GoogleTest, tmux,
#            clang with libFuzzer, valgrind, Google Benchmark, clang-format, and
#            lintian, which the package test runs on the .deb
# Safe to run again (installs nothing twice). --list only lists what is missing.
# Usage: tools/install-deps.sh [--list] SET...
set -euo pipefail

list_only=""
if [ "${1:-}" = --list ]; then
    list_only=1
    shift
fi

run=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libncurses-dev
     fonts-ipafont-gothic locales help2man)
windows=(cmake ninja-build file
         g++-mingw-w64-i686-posix mingw-w64-i686-dev
         g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
         wine wine32:i386 wine64 fonts-wine xvfb xauth locales fonts-ipafont-gothic)
test=("${run[@]}" "${windows[@]}"
      libgtest-dev libgmock-dev googletest tmux desktop-file-utils dpkg-dev
      clang libclang-rt-14-dev valgrind libbenchmark-dev clang-format
      lintian)

if [ $# -eq 0 ]; then
    echo "usage: tools/install-deps.sh [--list] run|windows|test..." >&2
    exit 2
fi
packages=()
for set in "$@"; do
    case "$set" in
    run) packages+=("${run[@]}") ;;
    windows) packages+=("${windows[@]}") ;;
    test) packages+=("${test[@]}") ;;
    *) echo "unknown set: $set (run, windows or test)" >&2; exit 2 ;;
    esac
done

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo=sudo
fi
need_root() {
    [ -z "$sudo" ] || command -v sudo >/dev/null ||
        { echo "Need root (or sudo) to $1" >&2; exit 1; }
}

missing=()
for package in $(printf '%s\n' "${packages[@]}" | sort -u); do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
if [ -n "$list_only" ]; then
    printf '%s\n' "${missing[@]}"
    exit 0
fi
# Wine's 32-bit half comes from the i386 architecture of the archive.
if [[ " ${packages[*]} " == *":i386 "* ]] &&
    ! dpkg --print-foreign-architectures | grep -qx i386; then
    need_root "add the i386 architecture for Wine"
    $sudo dpkg --add-architecture i386
    force_update=1
fi

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
# Japanese locale, as on a Japanese Windows; kivo6-check speaks Japanese in one.
if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
    need_root "generate the ja_JP.UTF-8 locale"
    $sudo localedef -i ja_JP -c -f UTF-8 ja_JP.UTF-8
fi
