# Sourced by the scripts in tools/: where the clone is, how to build a preset and
# find its programs, and how to get an X display.

kivo6_top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# Configures and builds PRESET (only the TARGETs given, if any) and sets kivo6_bin to
# the folder of its programs: bin/ in the build folder that CMake reports writing.
kivo6_build() {
    local preset="$1" folder
    shift
    folder=$(cd "$kivo6_top" && cmake --preset "$preset" |
        sed -n 's/^-- Build files have been written to: //p')
    if [ -z "$folder" ]; then
        echo "cmake --preset $preset failed" >&2
        return 1
    fi
    if [ $# -gt 0 ]; then
        cmake --build "$folder" --target "$@" || return 1
    else
        cmake --build "$folder" || return 1
    fi
    kivo6_bin="$folder/bin"
}

# Runs a command on the X display there is or, when there is none or --private is
# given, on a virtual one of its own: xvfb-run picks a free display and waits until
# its server is ready. Usage: kivo6_on_display [--private] COMMAND [ARGS...]
kivo6_on_display() {
    local private=""
    if [ "$1" = --private ]; then
        private=1
        shift
    fi
    if [ -n "${DISPLAY:-}" ] && [ -z "$private" ]; then
        "$@"
    else
        xvfb-run -a -s "-screen 0 1280x1024x24" "$@"
    fi
}

# Waits (up to 60 s) until a window with exactly this title is mapped on the display,
# then lets it paint; fails the script otherwise. Wine gives each top-level window
# an X window of its own, named by its caption, as Qt does. Needs xdotool.
kivo6_wait_for_window() {
    for _ in $(seq 300); do
        if xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; then
            sleep 1
            return 0
        fi
        sleep 0.2
    done
    echo "no window called $1 appeared" >&2
    exit 1
}
