#!/usr/bin/env bash
# Runs a Windows program of this project under Wine, as a Japanese Windows would
# (see wine-env.sh), on a virtual X display when there is none. CMake uses it as
# the crossing emulator of the mingw preset, so CTest runs the Windows tests
# through it. Usage: tools/wine-run.sh PROGRAM.exe [ARGS...]
set -uo pipefail
source "$(dirname "$0")/wine-env.sh"

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

kivo6_prepare_prefix
wine "$@"
status=$?
# Wait for this prefix's server to wind down, so that nothing of this run outlives
# the display it was started on.
timeout 60 wineserver -w || wineserver -k
exit $status
