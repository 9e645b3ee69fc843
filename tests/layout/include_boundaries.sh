#!/usr/bin/env bash
# Checks that each folder of the program includes only from the folders whose
# libraries it links (the logic core from itself and the platform seam, the dialogs
# from the core, their Win32 and the resources, and so on), and that no two folders
# include each other: every include runs down a layer. A quoted include that crosses
# into anything else fails, naming the file and the line.
# Usage: include_boundaries.sh SOURCE-FOLDER
set -euo pipefail
cd "$1"

core="core/ platform/"
declare -A allowed=(
    [core]="$core"
    [platform]="platform/"
    [standin]="standin/ platform/"
    [resources]="resources/"
    [ui]="$core resources/ ui/ standin/win32_subset.h"
    [import]="$core import/"
    [check]="$core import/ check/"
    [frontends/launch]="frontends/launch/ import/ $core"
    [frontends/qt]="frontends/qt/ frontends/launch/ standin/ import/"
    [frontends/tty]="frontends/tty/ frontends/launch/ standin/ import/ platform/"
)

status=0
declare -A reaches=()
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
        for other in "${!allowed[@]}"; do
            [[ "$other" != "$folder" && "$included" == "$other/"* ]] && reaches[$folder>$other]=1
        done
    done < <(grep -rnoE '^#include "[^"]+"' --include='*.cpp' --include='*.h' "$folder" |
        sed -E 's/#include "([^"]+)"$/\1/')
done
for pair in "${!reaches[@]}"; do
    from="${pair%%>*}" to="${pair#*>}"
    if [[ -n "${reaches[$to>$from]:-}" && "$from" < "$to" ]]; then
        echo "$from/ and $to/ include each other: one of them runs back up a layer" >&2
        status=1
    fi
done
exit $status
