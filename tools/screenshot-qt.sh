#!/usr/bin/env bash
# Photographs the Qt program's dialogs: kivo6 from the default build runs on the
# example history on a virtual X display of its own (no window manager, so no
# title bars), the keyboard
# walks to "詳細設定" and then "確立表示", and ImageMagick's import takes each
# picture. A developer's tool: needs xvfb, xdotool and imagemagick.
# Usage: tools/screenshot-qt.sh [OUTPUT-FOLDER]
set -euo pipefail
source "$(dirname "$0")/common.sh"
out="$(realpath -m "${1:-$kivo6_top/build/screenshots-qt}")"
for tool in xvfb-run xdotool import; do
    command -v "$tool" >/dev/null || { echo "needs $tool (apt-get install xvfb xdotool imagemagick)" >&2; exit 1; }
done
kivo6_build default kivo6 >/dev/null
program="$kivo6_bin/kivo6"

if [ -z "${KIVO6_SCREENSHOT_DISPLAY:-}" ]; then
    kivo6_on_display --private env KIVO6_SCREENSHOT_DISPLAY=1 "$0" "$out"
    exit
fi

mkdir -p "$out"
cd "$kivo6_top/examples"
QT_QPA_PLATFORM=xcb "$program" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT


kivo6_wait_for_window KIVO6
import -window root -crop 520x360+0+0 "$out/main-dialog.png"
# The exit button has the focus; seven Tab presses reach "詳細設定".
xdotool key --delay 100 Tab Tab Tab Tab Tab Tab Tab space
kivo6_wait_for_window "詳細設定"
import -window root -crop 520x360+0+0 "$out/settings-dialog.png"
# Escape closes the settings; from "詳細設定" three Tab presses reach "確立表示".
xdotool key --delay 100 Escape
sleep 0.5
xdotool key --delay 100 Tab Tab Tab space
kivo6_wait_for_window Dialog
import -window root "$out/probability-box.png"
# OK on the box, then Escape on the main dialog ends the program.
xdotool key --delay 100 Return
sleep 0.5
xdotool key Escape
for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
    echo "kivo6 did not end on Escape" >&2
    exit 1
fi
wait "$pid"
trap - EXIT
echo "wrote main-dialog.png, settings-dialog.png and probability-box.png in $out"
