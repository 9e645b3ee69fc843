#!/usr/bin/env bash
# Checks that each folder of the program includes only from the folders whose
# libraries it links: the logic core from itself and the platform seam, the dialogs
# from the core, the stand-in from itself and the platform seam, reading a history as
# meant from the core, kivo6-check from the core and that reading, the front ends'
# shared start from the core and that reading (for the first run), each front end
# from itself, that start and the stand-in (and from the texts' languages; kivo6-tty
# also from the platform seam's locale), and so on. A quoted
# include that crosses into anything else fails, naming the file and the line.
# Usage: include_boundaries.sh SOURCE-FOLDER
set -euo pipefail
cd "$1"

core="history/ stats/ generate/ platform/"
declare -A allowed=(
    [history]="$core"
    [stats]="$core"
    [generate]="$core"
    [platform]="platform/ standin/win32_subset.h"
    [standin]="standin/ platform/"
    [resources]="resources/"
    [ui]="$core resources/ ui/"
    [import]="$core import/"
    [check]="$core import/ check/"
    [frontends/launch]="frontends/launch/ import/ $core"
    [frontends/qt]="frontends/qt/ frontends/launch/ standin/ import/"
    [frontends/tty]="frontends/tty/ frontends/launch/ standin/ import/ platform/"
)

status=0
for folder in "${!allowed[@]}"; do
    while IFS=: read -r file line included; do
        ok=""
        for prefix in ${allowed[$folder]}; do
            [[ "$included" == "$prefix"* ]] && ok=1
        done
        if [ -z "$ok" ]; then
            echo "$file:$line: includes \"$included\", outside what $folder/ links" >&2
            status=1
        fi
    done < <(grep -rnoE '^#include "[^"]+"' --include='*.cpp' --include='*.h' "$folder" |
        sed -E 's/#include "([^"]+)"$/\1/')
done
exit $status
