#!/usr/bin/env bash
# CTest's smoke test of kivo6-tty in a private tmux at 80x24: started with --own-folder,
# it asks on the terminal for a history and takes the one named; on it (the example's
# draws) it opens a box and closes it by keys, ends on Alt+X with status 0 and gives
# the terminal back (clicks are the in-process input tests'). KIVO6_TTY_MEMCHECK
# (tests/support/memcheck.sh) runs it under memcheck, whose errors fail the test.
# Usage: program_test.sh KIVO6-TTY EXAMPLE-HISTORY
set -euo pipefail

work=$(mktemp -d)
cp "$2" "$work/mine.txt"
# tmux, this script and the program must agree that the text is UTF-8.
export LANG=C.UTF-8 LC_ALL=C.UTF-8 XDG_DATA_HOME="$work" KIVO6_EXAMPLE_HISTORY="$2"
unset TMUX
tmux() { command tmux -u -S "$work/tmux" -f /dev/null "$@"; }
trap 'tmux kill-server 2>/dev/null || true; rm -rf "$work"' EXIT

# The end of input answers the question No: nothing is written (and without TERM the
# program then ends).
asked=$(env -u TERM "$1" --own-folder </dev/null 2>&1 || true)
[[ $asked == *"[Y/o/n] "* && ! -e $work/kivo6/data.txt ]] || { echo "not No: $asked" >&2; exit 1; }

launch=("$1")
if [ -n "${KIVO6_TTY_MEMCHECK:-}" ]; then
    # memcheck writes to a file of its own: on the terminal it would be drawn over.
    launch=("$KIVO6_TTY_MEMCHECK" "--log-file=$work/memcheck.log" "$1")
fi
# The shell in the pane writes the program's exit status to a file once it has ended,
# and keeps the pane open to show what the program left on the screen.
tmux new-session -d -s kivo6 -x 80 -y 24 -c "$work" \
    sh -c 'TERM=tmux-256color "$@" --own-folder; echo $? >status; exec sleep 600' sh "${launch[@]}"

fail() {
    echo "$1; the screen:" >&2
    tmux capture-pane -p -t kivo6 >&2
    [ ! -f "$work/memcheck.log" ] || cat "$work/memcheck.log" >&2
    exit 1
}
# Reads the screen into $shown until the test passes on it, for at most 30 s (memcheck
# is slow).
wait_until() {
    local deadline=$((SECONDS + 30))
    until shown=$(tmux capture-pane -p -t kivo6) && eval "$1"; do
        ((SECONDS < deadline)) || fail "timed out waiting for: $1"
        sleep 0.1
    done
}

# The own folder holds no data.txt: the question comes first. o, then a path from the
# folder the program started in.
wait_until '[[ $shown == *"starts with --own-folder"*"[Y/o/n]"* ]]'
tmux send-keys -t kivo6 o Enter mine.txt Enter

# The main dialog, centred: 19 lines, from the third.
wait_until '[[ $(sed -n 3p <<<"$shown") == *"─ KIVO6 ─"* &&
    $shown == *"[ 詳細設定 ]"* && $shown == *"終了（X）"* ]]'

# 過去の当選結果 is three Tabs on from 終了, which has the focus; its box lists the last
# ten draws, newest first.
tmux send-keys -t kivo6 Tab Tab Tab Enter
wait_until '[[ $shown == *"No.150 : [09][31][04][01][32][25]:[06]"* &&
    $shown == *"No.141 : [38][10][07][15][14][42]:[34]"* && $shown == *"┌─ /!\ Dialog ─"* ]]'

# Enter presses OK, which gives the dialog back.
tmux send-keys -t kivo6 Enter
wait_until '[[ $shown != *"[ OK ]"* && $shown == *"終了（X）"* ]]'

# Alt+X is 終了（&X）. The program ends, and gives the terminal back: it leaves the
# alternate screen it drew on.
tmux send-keys -t kivo6 M-x
wait_until '[[ -s $work/status && $(tmux display -p -t kivo6 "#{alternate_on}") == 0 ]]'
[ "$(cat "$work/status")" = 0 ] || fail "the program ended with status $(cat "$work/status")"
# The example's draws were written as kivo6-check --fix writes them, with CR LF.
[[ $(head -n 1 "$work/kivo6/data.txt") == "KIVO6 example"*$'\r' ]] || fail "data.txt is not --fix's"
