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
