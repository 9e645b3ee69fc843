#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine and starts KIVO6 on the bundled example history
# (examples/data.txt): builds the Windows program with mingw-w64 and runs it under
# Wine on the current X display. KIVO6 reads data.txt from its current folder, so
# the program is started inside examples/.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${DISPLAY:-}" ]; then
    echo "KIVO6 is a windowed program and no X display is set (DISPLAY is empty)." >&2
    echo "Run this from a desktop session, or over ssh -X." >&2
    exit 1
fi

tools/install-deps.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw --target kivo6
cd examples
exec ../tools/wine-run.sh ../build/mingw/kivo6.exe
