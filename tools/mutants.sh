#!/usr/bin/env bash
# A mutation check of the tests: each one-line fault of the list below is put into
# a scratch copy of the tree (build/mutants/src, the working tree as it stands),
# which is then built (preset ci) and tested; a fault is caught when a test fails
# or hangs (60 s). A fault that does not build is a mistake in the list and counts
# as not caught. Prints one line per fault and the count caught. Slow, so not part of tools/test.sh: run it after changing tests. Exits 1
# if a fault survives.
# Usage: tools/mutants.sh [NAME-REGEX]   (only the faults whose name matches)
set -uo pipefail
source "$(dirname "$0")/common.sh"
pattern="${1:-}"

# name @ file @ the line's text as it stands (its first occurrence is changed; <newline>
# joins lines where one line alone is not unique) @ the text after the change
faults=$(cat <<'EOF'
reader: CR never paired with LF @ core/history/history_file.cpp @ if (following == '\n') { @ if (false) {
reader: Ctrl-Z does not end the text @ core/history/history_file.cpp @ if (c == END_OF_TEXT || c == CTRL_Z) { @ if (c == END_OF_TEXT) {
reader: marker window one character wider @ core/history/history_file.cpp @ constexpr int MARKER_SEARCH_LIMIT = 255; @ constexpr int MARKER_SEARCH_LIMIT = 256;
reader: END line's values kept @ core/history/history_file.cpp @ TakeBackLineValues(); @ if (false) TakeBackLineValues();
reader: END gives no replaced row back @ core/history/history_file.cpp @ if (completedOnLine < HISTORY_CAPACITY) { @ if (false) {
reader: kept draws not put in file order @ core/history/history_file.cpp @ std::reverse(rows, oldest); @ (void)oldest;
shares: count * 100 / total @ core/stats/shares.cpp @ percent[i] = percent[i] * 100.0f; @ percent[i] = static_cast<float>(mainCounts[i] * 100) / static_cast<float>(mainTotal);
share table: no tie rounding @ core/stats/reports.cpp @ static_cast<double>(share) * 10.0 + 0.5 @ static_cast<double>(share) * 10.0
recent draws: eleven shown @ core/stats/reports.cpp @ constexpr int RECENT_DRAWS_SHOWN = 10; @ constexpr int RECENT_DRAWS_SHOWN = 11;
type 2: ticket not re-marked after the reset @ core/generate/tickets.cpp @ TicketExclusion[drawn[position] - 1] = 1; @ (void)0;
type 2: last decade group ends at 42 @ core/generate/tickets.cpp @ {10, 20, 30, 40, 43}; @ {10, 20, 30, 40, 42};
type 1: latest draw compared on seven numbers @ core/generate/type1.cpp @ for (int position = 0; position < MAIN_NUMBERS; ++position) { @ for (int position = 0; position < DRAW_SIZE; ++position) {
type 1: pool index modulo 43 @ core/generate/type1.cpp @ % poolLength]; @ % NUMBER_COUNT];
type 1: no share roll against often-drawn numbers @ core/generate/type1.cpp @ if (NextRandom() % 100 >= threshold) { @ if (NextRandom() % 100 >= threshold + 100) {
main dialog: focus notices ask for numbers @ ui/main_dialog.cpp @ if (code == BN_CLICKED) { @ if (true) {
main dialog: radios not re-read on a command @ ui/main_dialog.cpp @ what the user sees.<newline>    ReadParityRadios(dialog); @ what the user sees.
reports: report buffer not cleared @ core/program.cpp @ std::fill(std::begin(ReportText), std::end(ReportText), '\0'); @ (void)0;
main dialog: IDCANCEL does not end it @ ui/main_dialog.cpp @ wParam == MAKEWPARAM(IDOK, BN_CLICKED) || wParam == MAKEWPARAM(IDCANCEL, BN_CLICKED) @ wParam == MAKEWPARAM(IDOK, BN_CLICKED)
settings: committed flags not shown @ ui/settings_dialog.cpp @ ShowFlags(dialog, IDC_DECADE_1, DecadeFlags, DECADE_GROUPS); @ (void)0;
settings: committed flags not copied to the pending ones @ ui/settings_dialog.cpp @ std::copy(std::begin(DecadeFlags), std::end(DecadeFlags), PendingDecadeFlags); @ (void)0;
stand-in: BM_SETCHECK leaves the radio group @ standin/window_model.cpp @ ClearRadioGroup(control); @ if (false) ClearRadioGroup(control);
stand-in: keyboard-reached push button not default @ standin/window_model.cpp @ control->style = (control->style & ~static_cast<DWORD>(BS_TYPEMASK)) | BS_DEFPUSHBUTTON; @ (void)0;
stand-in: dialog's owner left enabled @ standin/window_model.cpp @ SetActive(self->owner, false); @ (void)0;
stand-in: message box's owner left enabled @ standin/window_model.cpp @ SetActive(owner, false); @ (void)0;
qt: radio buttons auto-exclusive @ frontends/qt/dialog_view.cpp @ radio->setAutoExclusive(false); @ radio->setAutoExclusive(true);
exit status: a file's causes leave it 0 @ check/history_check.cpp @ return !warned && CausesOf(check.meant.shape).empty() ? 0 : 1; @ return !warned ? 0 : 1;
first run: data.txt written over when it is there @ frontends/launch/first_run.cpp @ std::fopen(target.c_str(), "wbx"); @ std::fopen(target.c_str(), "wb");
tty: Alt not decoded @ frontends/tty/tty_front_end.cpp @ if (nextStatus == OK && next != ESCAPE && std::iswprint(next)) { @ if (false) {
EOF
)

scratch="$kivo6_top/build/mutants/src"
# A fresh copy each run: a build left from an older tree could hide a change.
rm -rf "$scratch"
mkdir -p "$scratch"
# The working tree as it stands, tracked files and new ones, without build folders.
(cd "$kivo6_top" && git ls-files -co --exclude-standard | tar -cf - -T -) | tar -xf - -C "$scratch"
build() { cmake --build "$scratch/build/ci" >/dev/null 2>&1; }
run_tests() { (cd "$scratch" && ctest --preset ci -j2 --stop-on-failure --timeout 60 -LE packaging >/dev/null 2>&1); }

(cd "$scratch" && cmake --preset ci >/dev/null) || { echo "the scratch copy did not configure" >&2; exit 2; }
if ! build || ! run_tests; then
    echo "the unchanged tree does not build and pass its tests; nothing to compare" >&2
    exit 2
fi

caught=0
tried=0
survivors=()
trim() { sed 's/^ *//; s/ *$//' <<<"$1"; }
while IFS='@' read -r name file original changed; do
    name="$(trim "$name")"
    file="$(trim "$file")"
    original="$(trim "$original")"
    changed="$(trim "$changed")"
    [ -n "$name" ] || continue
    [[ -z "$pattern" || "$name" =~ $pattern ]] || continue
    target="$scratch/$file"
    cp "$target" "$target.orig"
    if ! ORIGINAL="$original" CHANGED="$changed" python3 - "$target" <<'PY'; then
import os, sys
path = sys.argv[1]
original = os.environ["ORIGINAL"].replace("<newline>", "\n")
changed = os.environ["CHANGED"].replace("<newline>", "\n")
text = open(path, encoding="utf-8").read()
if original not in text:
    sys.exit(1)
open(path, "w", encoding="utf-8").write(text.replace(original, changed, 1))
PY
        echo "MISSING   $name: the line is no longer in $file" >&2
        mv "$target.orig" "$target"
        survivors+=("$name (line not found)")
        tried=$((tried + 1))
        continue
    fi
    tried=$((tried + 1))
    if ! build; then
        echo "NO BUILD  $name: the changed line does not compile"
        survivors+=("$name (does not build)")
    elif run_tests; then
        echo "SURVIVED  $name"
        survivors+=("$name")
    else
        echo "caught    $name"
        caught=$((caught + 1))
    fi
    mv "$target.orig" "$target"
    touch "$target"
done <<<"$faults"
build

echo "== $caught of $tried faults caught"
[ ${#survivors[@]} -eq 0 ]
