#!/usr/bin/env bash
# Runs a Windows program of this project under Wine, as a Japanese Windows would:
# its own Wine prefix, code page 932, and a virtual X display when there is none.
# CMake uses it as the crossing emulator of the mingw preset, so CTest runs the
# Windows tests through it. Usage: tools/wine-run.sh PROGRAM.exe [ARGS...]
set -uo pipefail

here="$(cd "$(dirname "$0")/.." && pwd)"
export WINEPREFIX="${KIVO6_WINEPREFIX:-$here/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

mkdir -p "$WINEPREFIX"
wine "$@"
status=$?
# Wait for this prefix's server to wind down, so that nothing of this run outlives
# the display it was started on.
timeout 60 wineserver -w || wineserver -k
exit $status
