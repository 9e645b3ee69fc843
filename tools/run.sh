#!/usr/bin/env bash
# The README's run command: sets up a fresh Debian 12 machine, builds KIVO6 and
# starts it on the bundled example history (examples/data.txt). KIVO6 reads data.txt
# from its current folder, so the program is started inside examples/.
# Usage: tools/run.sh [--qt | --tty | --windows]
set -euo pipefail
cd "$(dirname "$0")/.."

usage() {
    cat <<'EOF'
Usage: tools/run.sh [--qt | --tty | --windows]
  (none)     the Qt window when a display is set (DISPLAY or WAYLAND_DISPLAY),
             the terminal program kivo6-tty otherwise
  --qt       the Qt window, kivo6
  --tty      the terminal program, kivo6-tty, in this terminal
  --windows  the Windows program, kivo6.exe, under Wine: the 32-bit one, or the
             64-bit one where this machine's kernel runs no 32-bit programs
EOF
}

front_end="auto"
case "${1:-}" in
    "") ;;
    --qt) front_end="qt" ;;
    --tty) front_end="tty" ;;
    --windows) front_end="windows" ;;
    -h | --help) usage; exit 0 ;;
    *) usage >&2; exit 2 ;;
esac
if [ $# -gt 1 ]; then
    usage >&2
    exit 2
fi

if [ "$front_end" = auto ]; then
    if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
        front_end="qt"
    else
        front_end="tty"
    fi
fi

# Say what is wrong before the set-up and the build, which take minutes the first time.
case "$front_end" in
    qt)
        if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
            echo "No display is set (DISPLAY and WAYLAND_DISPLAY are empty); try --tty." >&2
            exit 1
        fi ;;
    tty)
        if [ ! -t 0 ] || [ ! -t 1 ]; then
            echo "kivo6-tty needs a terminal on its input and output." >&2
            exit 1
        fi ;;
    windows)
        if [ -z "${DISPLAY:-}" ]; then
            echo "Wine needs an X display and DISPLAY is empty." >&2
            echo "Run this from a desktop session, or over ssh -X." >&2
            exit 1
        fi ;;
esac

source tools/common.sh
if [ "$front_end" = windows ]; then
    tools/install-deps.sh run windows
    source tools/wine-env.sh
    if kivo6_runs_32bit_code; then
        preset=win32
        echo "Starting the 32-bit Windows program (build/win32/bin/kivo6.exe)."
    else
        preset=win64
        echo "This machine's kernel runs no 32-bit programs:" \
            "starting the 64-bit Windows program (build/win64/bin/kivo6.exe)."
    fi
    kivo6_build $preset kivo6
    cd examples
    exec ../tools/wine-run.sh "$kivo6_bin/kivo6.exe"
fi

tools/install-deps.sh run
program=kivo6
[ "$front_end" = qt ] || program=kivo6-tty
kivo6_build default "$program"
path="$kivo6_bin/$program"

# The dialogs' texts are Japanese: a terminal drawing them needs a UTF-8 locale.
if [ "$program" = kivo6-tty ] && [ "$(locale charmap 2>/dev/null)" != UTF-8 ]; then
    export LC_ALL=C.UTF-8
fi
cd examples
exec "$path"
