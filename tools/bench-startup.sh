#!/usr/bin/env bash
# Start-up benchmark of the Qt program: the time from starting the process to the
# first paint of the main dialog, kivo6 beside a bare QDialog, on Qt's offscreen
# platform and on X11 (the display there is, or Xvfb). Builds the bench preset's
# benchmark program first. A measurement, not a test.
# Usage: tools/bench-startup.sh [RUNS]
set -euo pipefail
source "$(dirname "$0")/common.sh"
runs="${1:-21}"
kivo6_build bench kivo6_startup_benchmark >/dev/null
benchmark="$kivo6_bin/kivo6_startup_benchmark"

QT_QPA_PLATFORM=offscreen "$benchmark" "$runs" "$kivo6_top/examples"
kivo6_on_display env QT_QPA_PLATFORM=xcb "$benchmark" "$runs" "$kivo6_top/examples"
