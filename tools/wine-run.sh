#!/usr/bin/env bash
# Runs a Windows program of this project under Wine, as a Japanese Windows would
# (see wine-env.sh), on a virtual X display when there is none: a 64-bit program
# under wine64, a 32-bit one under Wine's 32-bit half. CMake uses it as the crossing
# emulator of the mingw and mingw64 presets, so CTest runs the Windows tests through
# it. Usage: tools/wine-run.sh PROGRAM.exe [ARGS...]
set -uo pipefail
source "$(dirname "$0")/wine-env.sh"

kivo6_use_wine_for "$1" || exit 1
if [ "$WINEARCH" = win32 ] && ! kivo6_runs_32bit_code; then
    echo "skipped: this machine's kernel runs no 32-bit programs; the 64-bit Windows build covers these tests" >&2
    exit $KIVO6_CANNOT_RUN_HERE
fi

if [ -z "${DISPLAY:-}" ]; then
    kivo6_on_display "$0" "$@"
    exit
fi

kivo6_prepare_prefix
"$kivo6_wine" "$@"
status=$?
# Wait for this prefix's server to wind down, so that nothing of this run outlives
# the display it was started on.
timeout 60 wineserver -w || wineserver -k
exit $status
