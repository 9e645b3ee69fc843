#!/usr/bin/env bash
# Start-up benchmark of the Qt program: the time from starting the process to the
# first paint of the main dialog, kivo6 beside a bare QDialog, on Qt's offscreen
# platform and, when xvfb-run is at hand, on X11 under Xvfb. Builds the bench preset's
# benchmark program first. A measurement, not a test.
# Usage: tools/bench-startup.sh [RUNS]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
runs="${1:-21}"
cmake --preset bench >/dev/null
cmake --build --preset bench --target kivo6_startup_benchmark >/dev/null
benchmark="$here/build/bench/bin/kivo6_startup_benchmark"

QT_QPA_PLATFORM=offscreen "$benchmark" "$runs" "$here/examples"
if command -v xvfb-run >/dev/null; then
    xvfb-run -a -s "-screen 0 1024x768x24" env QT_QPA_PLATFORM=xcb "$benchmark" "$runs" "$here/examples"
fi
