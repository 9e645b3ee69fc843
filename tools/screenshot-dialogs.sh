#!/usr/bin/env bash
# Photographs the Windows program's two dialogs as a user sees them: kivo6.exe from
# the win32 build runs under Wine in a virtual desktop on a virtual X display of its
# own, the keyboard walks to "詳細設定" and then "確立表示", and ImageMagick's import
# takes each picture. A developer's tool: needs xvfb, xdotool and imagemagick.
# Usage: tools/screenshot-dialogs.sh [HISTORY-FILE] [OUTPUT-FOLDER]
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
history="$(realpath "${1:-$kivo6_top/examples/data.txt}")"
out="$(realpath -m "${2:-$kivo6_top/build/screenshots}")"
for tool in xvfb-run xdotool import; do
    command -v "$tool" >/dev/null || { echo "needs $tool (apt-get install xvfb xdotool imagemagick)" >&2; exit 1; }
done
if [ -z "${KIVO6_SCREENSHOT_DISPLAY:-}" ]; then
    kivo6_build win32 kivo6 >/dev/null
    kivo6_on_display --private env KIVO6_SCREENSHOT_DISPLAY=1 "$0" "$history" "$out"
    exit
fi

kivo6_build win32 kivo6 >/dev/null
exe="$kivo6_bin/kivo6.exe"
mkdir -p "$out"
work="$(mktemp -d)"
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
cp "$history" "$work/data.txt"
kivo6_use_wine_for "$exe"
kivo6_prepare_prefix
(cd "$work" && "$kivo6_wine" explorer /desktop=kivo6,1024x768 "$exe" >/dev/null 2>&1 &)


kivo6_wait_for_window KIVO6
import -window root -crop 520x400+0+0 "$out/main-dialog.png"
# The exit button has the focus; seven Tab presses reach "詳細設定".
xdotool key --delay 150 Tab Tab Tab Tab Tab Tab Tab space
kivo6_wait_for_window "詳細設定"
import -window root -crop 520x440+0+0 "$out/settings-dialog.png"
# Escape closes the settings; from "詳細設定" three Tab presses reach "確立表示".
xdotool key --delay 150 Escape Tab Tab Tab space
kivo6_wait_for_window Dialog
import -window root "$out/probability-box.png"
echo "wrote main-dialog.png, settings-dialog.png and probability-box.png in $out"
