# Sourced by the scripts that run this project's Windows programs under Wine: the
# environment of a Japanese Windows (code page 932), the half of Wine and the prefix
# that suit a program's kind (kivo6_use_wine_for), and, once per prefix, the dialog
# font (kivo6_prepare_prefix).

source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8

# The exit status of a Wine run that cannot start on this machine at all; CTest
# reports a test that ends with it as skipped (SKIP_RETURN_CODE, tests/CMakeLists.txt).
KIVO6_CANNOT_RUN_HERE=77

# Some kernels are built without 32-bit x86 support: every 32-bit program, Wine's
# 32-bit half among them, then fails to start with "Exec format error" (status 126
# from the shell), whatever is installed. The system's 32-bit loader, which Wine's
# 32-bit half brings, is the smallest program to try.
kivo6_runs_32bit_code() {
    local status=0
    /lib/ld-linux.so.2 --version >/dev/null 2>&1 || status=$?
    [ "$status" -ne 126 ]
}

# Sets kivo6_wine, the Wine loader, and WINEPREFIX for PROGRAM.exe: wine64 and a
# 64-bit prefix for a PE32+ program, Wine's 32-bit half and a 32-bit prefix for a
# PE32 one. Separate prefixes, because a prefix made by one half cannot be used by
# the other. Fails with a message when PROGRAM is not a Windows program.
kivo6_use_wine_for() {
    local kind arch
    kind="$(file -b -L "$1" 2>/dev/null)"
    case "$kind" in
    "PE32+ executable"*)
        arch=win64
        kivo6_wine="$(command -v wine64 || echo /usr/lib/wine/wine64)"
        # Wine starts the programs a program starts with the same loader.
        export WINELOADER="$kivo6_wine" ;;
    "PE32 executable"*)
        arch=win32
        kivo6_wine=wine ;;
    *)
        echo "not a Windows program: $1${kind:+ ($kind)}" >&2
        return 1 ;;
    esac
    export WINEARCH=$arch
    export WINEPREFIX="${KIVO6_WINEPREFIX:-$kivo6_top/build/wineprefix}-$arch"
}

# Wine knows no face called "ＭＳ Ｐゴシック" and would draw the dialogs in a fallback
# of other proportions; IPA's gothic faces are drawn to the same metrics. Needs a
# display, as every Wine start does, and kivo6_use_wine_for first.
kivo6_prepare_prefix() {
    local marker="$WINEPREFIX/.kivo6-fonts"
    [ -f "$marker" ] && return 0
    mkdir -p "$WINEPREFIX"
    local key='HKCU\Software\Wine\Fonts\Replacements'
    "$kivo6_wine" reg add "$key" /v 'ＭＳ Ｐゴシック' /t REG_SZ /d IPAPGothic /f >/dev/null 2>&1 &&
        "$kivo6_wine" reg add "$key" /v 'ＭＳ ゴシック' /t REG_SZ /d IPAGothic /f >/dev/null 2>&1 &&
        touch "$marker"
}
