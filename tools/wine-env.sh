# Sourced by the scripts that run this project's Windows programs under Wine: the
# environment of a Japanese Windows (its own prefix, code page 932) and, once per
# prefix, the dialog font. Defines kivo6_prepare_prefix.

kivo6_top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="${KIVO6_WINEPREFIX:-$kivo6_top/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8

# Wine knows no face called "ＭＳ Ｐゴシック" and would draw the dialogs in a fallback
# of other proportions; IPA's gothic faces are drawn to the same metrics. Needs a
# display, as every Wine start does.
kivo6_prepare_prefix() {
    local marker="$WINEPREFIX/.kivo6-fonts"
    [ -f "$marker" ] && return 0
    mkdir -p "$WINEPREFIX"
    local key='HKCU\Software\Wine\Fonts\Replacements'
    wine reg add "$key" /v 'ＭＳ Ｐゴシック' /t REG_SZ /d IPAPGothic /f >/dev/null 2>&1 &&
        wine reg add "$key" /v 'ＭＳ ゴシック' /t REG_SZ /d IPAGothic /f >/dev/null 2>&1 &&
        touch "$marker"
}
