#!/usr/bin/env bash
# Photographs the Windows program's two dialogs as a user sees them: kivo6.exe from
# the mingw build runs under Wine in a virtual desktop on a private X display, the
# keyboard walks to "詳細設定" and then "確立表示", and ImageMagick's import takes
# each picture.
# Usage: tools/screenshot-dialogs.sh [HISTORY-FILE] [OUTPUT-FOLDER]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
history="${1:-$here/examples/data.txt}"
out="${2:-$here/build/screenshots}"
exe="$here/build/mingw/bin/kivo6.exe"
[ -f "$exe" ] || { echo "build the mingw preset first: cmake --workflow --preset mingw" >&2; exit 1; }
command -v xdotool >/dev/null && command -v import >/dev/null ||
    { echo "needs xdotool and imagemagick (apt-get install xdotool imagemagick)" >&2; exit 1; }

mkdir -p "$out"
work="$(mktemp -d)"
trap 'wineserver -k 2>/dev/null || true; kill "$xvfb" 2>/dev/null || true; rm -rf "$work"' EXIT
cp "$history" "$work/data.txt"

export DISPLAY=:$((90 + RANDOM % 9))
Xvfb "$DISPLAY" -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
sleep 1
source "$here/tools/wine-env.sh"
kivo6_use_wine_for "$exe"
kivo6_prepare_prefix
(cd "$work" && "$kivo6_wine" explorer /desktop=kivo6,1024x768 "$exe" >/dev/null 2>&1 &)

# Wine gives the dialog an X window of its own, named by its caption.
for _ in $(seq 100); do
    xdotool search --name '^KIVO6$' >/dev/null 2>&1 && break
    sleep 0.2
done
sleep 2
import -window root -crop 520x400+0+0 "$out/main-dialog.png"
# The exit button has the focus; seven Tab presses reach "詳細設定".
xdotool key --delay 150 Tab Tab Tab Tab Tab Tab Tab space
sleep 2
import -window root -crop 520x440+0+0 "$out/settings-dialog.png"
# Escape closes the settings; from "詳細設定" three Tab presses reach "確立表示".
xdotool key --delay 150 Escape Tab Tab Tab space
sleep 2
import -window root "$out/probability-box.png"
echo "wrote main-dialog.png, settings-dialog.png and probability-box.png in $out"
