#!/usr/bin/env bash
# Whole-process figures for the Linux programs on the bundled example history:
# kivo6-tty from start to its first drawn screen and out again (Alt+X, the Exit
# button; tools/bench-tty.py drives it in a pty), and the Qt program from start to
# the first paint of its dialog, beside a bare QDialog (hyperfine); peak memory with
# GNU time. Installs hyperfine, time and python3 from Debian's archive when missing.
# A measurement, not a test.
# Usage: tools/bench-programs.sh [RUNS]
set -euo pipefail
source "$(dirname "$0")/common.sh"
here="$kivo6_top"
runs="${1:-40}"
on_display="${2:-}" # set when the script runs itself again on a display for the X11 figures

if ! command -v hyperfine >/dev/null || ! command -v python3 >/dev/null || [ ! -x /usr/bin/time ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends \
        hyperfine time python3
fi

cd "$here"
kivo6_build bench kivo6-tty kivo6_startup_benchmark >/dev/null
tty="$kivo6_bin/kivo6-tty"
qt="$kivo6_bin/kivo6_startup_benchmark"
peak="$(mktemp)"
trap 'rm -f "$peak"' EXIT

export TERM=xterm-256color LANG=C.UTF-8
cd "$here/examples"

# The benchmark program's --child mode is the Qt program itself, ending at the first
# paint of its dialog (it reports that moment on descriptor 3).
qt_figures() {
    local platform="$1"
    echo "== kivo6 (Qt, $platform): start to first paint"
    hyperfine --warmup 3 --runs "$runs" \
        -n "bare QDialog" "QT_QPA_PLATFORM=$platform '$qt' --child bare 3>/dev/null 2>/dev/null" \
        -n "kivo6" "QT_QPA_PLATFORM=$platform '$qt' --child kivo6 3>/dev/null 2>/dev/null"
    for variant in bare kivo6; do
        QT_QPA_PLATFORM=$platform /usr/bin/time -f '%M' -o "$peak" "$qt" --child "$variant" \
            3>/dev/null 2>/dev/null || true
        echo "$variant peak resident memory ($platform): $(cat "$peak") KiB"
    done
}
if [ -n "$on_display" ]; then
    qt_figures xcb
    exit 0
fi

echo "== kivo6-tty"
python3 "$here/tools/bench-tty.py" "$tty" "$runs"

qt_figures offscreen
kivo6_on_display "$here/tools/bench-programs.sh" "$runs" xcb
