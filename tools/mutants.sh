#!/usr/bin/env bash
# A mutation check of the tests: each one-line fault of the list below is put into
# a scratch copy of the tree (build/mutants/src, the working tree as it stands),
# which is then built and tested with preset ci, or with preset asan for a fault that
# only a sanitizer can see (an access out of bounds that changes no output); a fault
# is caught when a test fails or hangs (60 s). A fault that does not build is a
# mistake in the list and counts as not caught. Changes that no input can tell apart
# from the code as it is are listed apart, each with the reason, and are not run.
# Prints one line per fault and the count caught. Slow, so not part of tools/test.sh:
# run it after changing tests. Exits 1 if a fault survives.
# Usage: tools/mutants.sh [NAME-REGEX]   (only the faults whose name matches)
set -uo pipefail
source "$(dirname "$0")/common.sh"
pattern="${1:-}"

# name @ file @ the line's text as it stands (its first occurrence is changed; <newline>
# joins lines where one line alone is not unique) @ the text after the change
# [@ asan: built and tested with the sanitizers; also where the optimizing build itself
# refuses the change, having proved that a loop runs past its array]. The "boundary"
# faults move each bound of the generators' rules and of the reader by one; type 1's
# latest-draw bound is "latest draw compared on seven numbers".
faults=$(cat <<'EOF'
reader: CR never paired with LF @ core/history/history_file.cpp @ if (following == '\n') { @ if (false) {
reader: Ctrl-Z does not end the text @ core/history/history_file.cpp @ if (c == END_OF_TEXT || c == CTRL_Z) { @ if (c == END_OF_TEXT) {
reader: marker window one character wider @ core/history/history_file.cpp @ constexpr int MARKER_SEARCH_LIMIT = 255; @ constexpr int MARKER_SEARCH_LIMIT = 256;
reader: END line's values kept @ core/history/history_file.cpp @ TakeBackLineValues(); @ if (false) TakeBackLineValues();
reader: END gives no replaced row back @ core/history/history_file.cpp @ if (completedOnLine < HISTORY_CAPACITY) { @ if (false) {
reader: kept draws not put in file order @ core/history/history_file.cpp @ std::reverse(rows, oldest); @ (void)oldest;
shares: count * 100 / total @ core/stats/shares.cpp @ percent[i] = percent[i] * 100.0f; @ percent[i] = static_cast<float>(mainCounts[i] * 100) / static_cast<float>(mainTotal);
shares: a second ComputePercentages appends to the pool @ core/stats/shares.cpp @ poolLength = 0; @ (void)0;
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
new file: a file made meanwhile written over @ platform/posix/whole_file.cpp @ O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC @ O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC
tty: Alt not decoded @ frontends/tty/tty_front_end.cpp @ if (nextStatus == OK && next != ESCAPE && std::iswprint(next)) { @ if (false) {
main dialog: the even radio asks for odd numbers @ ui/main_dialog.cpp @ {IDC_MODE_EVEN, PARITY_EVEN_ONLY}, @ {IDC_MODE_EVEN, PARITY_ODD_ONLY},
reader: a listened reading also shows its failure @ core/history/history_file.cpp @ } else if (ShowHistoryFailure != nullptr) { @ }<newline>    if (ShowHistoryFailure != nullptr) {
boundary: reader: a read of no bytes is not the end @ core/history/history_file.cpp @ if (readLength <= 0) { @ if (readLength < 0) {
boundary: reader: one byte handed out past the read @ core/history/history_file.cpp @ if (readPosition < directEnd) { @ if (readPosition <= directEnd) {
boundary: reader: 0 after a sign is no digit @ core/history/history_file.cpp @ bool digit = c >= '0' && c <= '9'; @ bool digit = c > '0' && c <= '9';
boundary: reader: 9 after a sign is no digit @ core/history/history_file.cpp @ bool digit = c >= '0' && c <= '9'; @ bool digit = c >= '0' && c < '9';
boundary: reader: a draw of eight values @ core/history/history_file.cpp @ if (column < DRAW_SIZE) { @ if (column <= DRAW_SIZE) {
boundary: reader: a 257th replaced row saved @ core/history/history_file.cpp @ if (completedOnLine < HISTORY_CAPACITY) { @ if (completedOnLine <= HISTORY_CAPACITY) { @ asan
boundary: reader: END gives back one row too many @ core/history/history_file.cpp @ for (std::int64_t k = 0; k < replaced; ++k) { @ for (std::int64_t k = 0; k <= replaced; ++k) {
boundary: reader: unfinished draw put after a full history @ core/history/history_file.cpp @ if (drawCount < HISTORY_CAPACITY) { @ if (drawCount <= HISTORY_CAPACITY) {
boundary: counts: the row after the history counted @ core/history/history_file.cpp @ for (int row = 0; row < drawCount; ++row) { @ for (int row = 0; row <= drawCount; ++row) {
boundary: counts: eight values a draw counted @ core/history/history_file.cpp @ for (int position = 0; position < DRAW_SIZE; ++position) { @ for (int position = 0; position <= DRAW_SIZE; ++position) { @ asan
boundary: type 1: a single draw is not left out @ core/generate/type1.cpp @ if (drawCount < 1) { @ if (drawCount <= 1) {
boundary: type 1: repeat check reads past the pick @ core/generate/type1.cpp @ for (int position = 0; position < PICK_SIZE; ++position) { @ for (int position = 0; position <= PICK_SIZE; ++position) { @ asan
boundary: type 1: candidate compared with itself @ core/generate/type1.cpp @ found |= (position < filled) & @ found |= (position <= filled) &
boundary: type 1: an eighth candidate filled @ core/generate/type1.cpp @ while (position < PICK_SIZE) { @ while (position <= PICK_SIZE) {
boundary: type 1: a roll equal to the threshold passes @ core/generate/type1.cpp @ if (NextRandom() % 100 >= threshold) { @ if (NextRandom() % 100 > threshold) {
boundary: type 2: an eleventh past-draw flag read @ core/generate/tickets.cpp @ for (int k = 0; k < PAST_DRAW_FLAGS; ++k) { @ for (int k = 0; k <= PAST_DRAW_FLAGS; ++k) { @ asan
boundary: type 2: the oldest draw held is never marked @ core/generate/tickets.cpp @ if (PastDrawFlags[k] == 0 || row < 0) { @ if (PastDrawFlags[k] == 0 || row <= 0) {
boundary: type 2: a past draw's bonus marked @ core/generate/tickets.cpp @ for (int position = 0; position < MAIN_NUMBERS; ++position) { @ for (int position = 0; position <= MAIN_NUMBERS; ++position) {
boundary: type 2: a decade's last number not marked @ core/generate/tickets.cpp @ number <= DecadeLast[g]; @ number < DecadeLast[g];
boundary: type 2: the number still to draw marked after the reset @ core/generate/tickets.cpp @ position < count; ++position) { @ position <= count; ++position) { @ asan
boundary: type 2: a 31st number drawn @ core/generate/tickets.cpp @ } while (count < DRAWN_NUMBERS); @ } while (count <= DRAWN_NUMBERS); @ asan
boundary: type 2: a sixth ticket @ core/generate/tickets.cpp @ for (int ticket = 0; ticket < TICKETS; ++ticket) { @ for (int ticket = 0; ticket <= TICKETS; ++ticket) {
ticket prizes: four and the bonus is 3等 @ check/ticket_prizes.cpp @ return Prize::Fourth; @ return holdsBonus ? Prize::Third : Prize::Fourth;
ticket prizes: a Windows copy's dashes are no frame @ check/ticket_prizes.cpp @ (c >= 0x2500 && c <= 0x257F) || c == '|' || c == '+' || c == '-' || c == '=' || @ (c >= 0x2500 && c <= 0x257F) || c == '|' || c == '+' || c == '=' ||
ticket prizes: the screen around a copied box read @ check/ticket_prizes.cpp @ if (!IsBoxText(first, last) && (number || !framed)) { @ if (!IsBoxText(first, last) && (number || !framed || true)) {
ticket prizes: a result's header read as a ticket @ check/ticket_prizes.cpp @ return std::find(std::begin(BOX_TEXTS), std::end(BOX_TEXTS), text) != std::end(BOX_TEXTS); @ return std::find(std::begin(BOX_TEXTS) + 3, std::end(BOX_TEXTS), text) != std::end(BOX_TEXTS);
ticket prizes: 3等 counts the bonus among its ways @ check/ticket_prizes.cpp @ return LinesMatching(5) - FIVE_AND_THE_BONUS; @ return LinesMatching(5);
boundary: ticket prizes: the bonus matched as a main number @ check/ticket_prizes.cpp @ for (int position = 0; position < MAIN_NUMBERS; ++position) { @ for (int position = 0; position <= MAIN_NUMBERS; ++position) {
EOF
)

# Changes that no input can tell apart from the code as it is, so not run: name @ file
# @ the line's text @ the text after the change @ why no test can see it.
equivalents=$(cat <<'EOF'
boundary: reader: a magnitude at the cap clamped @ core/history/history_file.cpp @ if (tokenMagnitude > MAGNITUDE_CAP) { @ if (tokenMagnitude >= MAGNITUDE_CAP) { @ at the cap the clamp sets the value it already has
boundary: reader: a magnitude of exactly 2^31 saturates negative @ core/history/history_file.cpp @ return tokenMagnitude > -std::int64_t{INT_MIN} ? INT_MIN @ return tokenMagnitude >= -std::int64_t{INT_MIN} ? INT_MIN @ -2^31 is INT_MIN itself
boundary: reader: INT_MAX saturates @ core/history/history_file.cpp @ return tokenMagnitude > INT_MAX ? INT_MAX @ return tokenMagnitude >= INT_MAX ? INT_MAX @ INT_MAX converts to itself
boundary: reader: exactly 256 draws rotated @ core/history/history_file.cpp @ if (drawsRead <= HISTORY_CAPACITY) { @ if (drawsRead < HISTORY_CAPACITY) { @ with 256 draws the oldest is in row 0, so the three reversals move nothing, and no row is free for an unfinished draw either way
boundary: reader: 0 leaves the digits' quick path @ core/history/history_file.cpp @ if (c >= '0' && c <= '9' && !cutOff) { @ if (c > '0' && c <= '9' && !cutOff) { @ the general path converts the digit to the same value, only more slowly
boundary: reader: 9 leaves the digits' quick path @ core/history/history_file.cpp @ if (c >= '0' && c <= '9' && !cutOff) { @ if (c >= '0' && c < '9' && !cutOff) { @ the general path converts the digit to the same value, only more slowly
EOF
)

scratch="$kivo6_top/build/mutants/src"
# A fresh copy each run: a build left from an older tree could hide a change.
rm -rf "$scratch"
mkdir -p "$scratch"
# The working tree as it stands, tracked files and new ones, without build folders.
(cd "$kivo6_top" && git ls-files -co --exclude-standard | tar -cf - -T -) | tar -xf - -C "$scratch"
build() { cmake --build "$scratch/build/$1" >/dev/null 2>&1; }
run_tests() {
    (cd "$scratch" && ctest --preset "$1" -j2 --stop-on-failure --timeout 60 -LE packaging >/dev/null 2>&1)
}
# Each preset is configured, built and tested on the unchanged copy before its first
# fault, so the asan build costs nothing when no fault selected needs it.
prepared=()
prepare() {
    [[ " ${prepared[*]} " == *" $1 "* ]] && return 0
    (cd "$scratch" && cmake --preset "$1" >/dev/null) ||
        { echo "the scratch copy did not configure with preset $1" >&2; exit 2; }
    if ! build "$1" || ! run_tests "$1"; then
        echo "the unchanged tree does not build and pass its tests with preset $1; nothing to compare" >&2
        exit 2
    fi
    prepared+=("$1")
}

caught=0
tried=0
survivors=()
trim() { sed 's/^ *//; s/ *$//' <<<"$1"; }
# Makes the change in the file, or, given no change, only looks for the text; fails
# when the text is not in the file.
edit() {
    ORIGINAL="$2" CHANGED="${3-}" python3 - "$1" ${3+change} <<'PY'
import os, sys
original = os.environ["ORIGINAL"].replace("<newline>", "\n")
changed = os.environ["CHANGED"].replace("<newline>", "\n")
text = open(sys.argv[1], encoding="utf-8").read()
if original not in text:
    sys.exit(1)
if len(sys.argv) > 2:
    open(sys.argv[1], "w", encoding="utf-8").write(text.replace(original, changed, 1))
PY
}

equivalent=0
while IFS='@' read -r name file original changed why; do
    name="$(trim "$name")"
    [ -n "$name" ] || continue
    [[ -z "$pattern" || "$name" =~ $pattern ]] || continue
    file="$(trim "$file")"
    # Kept true: a line that has changed may no longer be equivalent.
    if ! edit "$scratch/$file" "$(trim "$original")"; then
        echo "MISSING   $name: the line is no longer in $file" >&2
        survivors+=("$name (line not found)")
        continue
    fi
    echo "equivalent $name: $(trim "$why")"
    equivalent=$((equivalent + 1))
done <<<"$equivalents"

while IFS='@' read -r name file original changed sanitizer; do
    name="$(trim "$name")"
    file="$(trim "$file")"
    original="$(trim "$original")"
    changed="$(trim "$changed")"
    [ -n "$name" ] || continue
    [[ -z "$pattern" || "$name" =~ $pattern ]] || continue
    preset=ci
    [ "$(trim "$sanitizer")" = asan ] && preset=asan
    prepare "$preset"
    target="$scratch/$file"
    tried=$((tried + 1))
    cp "$target" "$target.orig"
    if ! edit "$target" "$original" "$changed"; then
        echo "MISSING   $name: the line is no longer in $file" >&2
        mv "$target.orig" "$target"
        survivors+=("$name (line not found)")
        continue
    fi
    label="$name"
    [ "$preset" = ci ] || label="$name ($preset)"
    if ! build "$preset"; then
        echo "NO BUILD  $label: the changed line does not compile"
        survivors+=("$label (does not build)")
    elif run_tests "$preset"; then
        echo "SURVIVED  $label"
        survivors+=("$label")
    else
        echo "caught    $label"
        caught=$((caught + 1))
    fi
    mv "$target.orig" "$target"
    touch "$target"
done <<<"$faults"
for preset in "${prepared[@]}"; do
    build "$preset"
done

echo "== $caught of $tried faults caught; $equivalent equivalent, not run"
[ ${#survivors[@]} -eq 0 ]
