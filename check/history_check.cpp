// The file check of kivo6-check. KIVO6's reader does the reading, exactly as at
// start-up; a hook collects what it met, and the check sets that beside the history
// the reader left behind to say, with line and column, where the file is off.
#include "check/history_check.h"

#include "history/history_file.h"
#include "history/state.h"

#include <algorithm>
#include <initializer_list>

namespace {

std::vector<ReadingNote> heard;

void Listen(const ReadingNote& note) {
    heard.push_back(note);
}

struct Place {
    int line = 0;
    int column = 0;
};

Finding FindingAt(FindingKind kind, int line, int column) {
    Finding finding;
    finding.kind = kind;
    finding.line = line;
    finding.column = column;
    return finding;
}

// White space the decimal conversion skips in front of a number but that does not
// separate numbers in data.txt; only a space does.
bool IsOtherWhiteSpace(int c) {
    return c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// What the decimal conversion made of one token that KIVO6 keeps.
void CheckToken(const ReadingNote& note, std::vector<Finding>& findings) {
    if (!note.hasDigits) {
        Finding finding = FindingAt(FindingKind::ReadAsZero, note.line, note.column);
        finding.character = note.leadCharacter == 0 ? -1 : note.leadCharacter;
        findings.push_back(finding);
        return;
    }
    if (note.unusedText) {
        FindingKind kind = IsOtherWhiteSpace(note.stopCharacter) && note.digitAfterStop
                               ? FindingKind::NumberSplit
                               : FindingKind::CharacterSwallows;
        Finding finding = FindingAt(kind, note.line, note.stopColumn);
        finding.character = note.stopCharacter;
        finding.value = note.value;
        findings.push_back(finding);
    }
    if (!IsLotteryNumber(note.value)) {
        Finding finding = FindingAt(FindingKind::OutOfRange, note.line, note.column);
        finding.value = note.value;
        finding.stored = static_cast<std::uint8_t>(note.value);
        findings.push_back(finding);
    }
}

// Repeats, a bonus among the main numbers, and a draw spread over lines.
struct DrawPlaces {
    Place at[DRAW_SIZE];
};

void CheckDraw(int row, const DrawPlaces& places, std::vector<Finding>& findings) {
    const DrawRecord& draw = DrawHistory[row];
    for (int position = 1; position < DRAW_SIZE; ++position) {
        if (places.at[position].line != places.at[0].line) {
            Finding finding =
                FindingAt(FindingKind::DrawSplit, places.at[0].line, places.at[0].column);
            finding.draw = row + 1;
            finding.otherLine = places.at[DRAW_SIZE - 1].line;
            findings.push_back(finding);
            break;
        }
    }
    for (int position = 1; position < DRAW_SIZE; ++position) {
        if (!IsLotteryNumber(draw[position])) {
            continue;
        }
        int last = position == DRAW_SIZE - 1 ? MAIN_NUMBERS : position;
        for (int earlier = 0; earlier < last; ++earlier) {
            if (draw[earlier] != draw[position]) {
                continue;
            }
            FindingKind kind =
                position == DRAW_SIZE - 1 ? FindingKind::BonusIsMain : FindingKind::RepeatedInDraw;
            Finding finding = FindingAt(kind, places.at[position].line, places.at[position].column);
            finding.stored = draw[position];
            finding.draw = row + 1;
            finding.otherLine = places.at[earlier].line;
            finding.otherColumn = places.at[earlier].column;
            findings.push_back(finding);
            break;
        }
    }
}

// Everything the reader met, once it is done: the values it kept, and what it skipped.
void AnalyseReading(HistoryCheck& check) {
    std::vector<Finding>& findings = check.findings;
    for (const ReadingNote& note : heard) {
        if (note.event == ReadingEvent::EndFound) {
            check.endLine = note.line;
        }
    }
    // Where each value of the history came from.
    std::vector<DrawPlaces> placeTable(HISTORY_CAPACITY);
    DrawPlaces* places = placeTable.data();
    Finding onEndLine = FindingAt(FindingKind::ValuesOnEndLine, 0, 0);
    Finding beyond = FindingAt(FindingKind::BeyondCapacity, 0, 0);
    Finding incomplete = FindingAt(FindingKind::IncompleteLastDraw, 0, 0);
    for (const ReadingNote& note : heard) {
        switch (note.event) {
        case ReadingEvent::Value: {
            Finding* skipped = nullptr;
            if (note.line == check.endLine) {
                skipped = &onEndLine;
            } else if (note.row >= HISTORY_CAPACITY) {
                skipped = &beyond;
            }
            if (skipped != nullptr) {
                if (skipped->count++ == 0) {
                    skipped->line = note.line;
                    skipped->column = note.column;
                }
                continue;
            }
            places[note.row].at[note.position] = {note.line, note.column};
            CheckToken(note, findings);
            if (note.row == drawCount) {
                if (incomplete.count++ == 0) {
                    incomplete.line = note.line;
                    incomplete.column = note.column;
                }
            }
            break;
        }
        case ReadingEvent::NulInLine:
            findings.push_back(FindingAt(FindingKind::NulInLine, note.line, note.column));
            break;
        case ReadingEvent::LineEnded:
            if (note.length > LONGEST_LINE) {
                findings.push_back(FindingAt(FindingKind::LongLine, note.line, LONGEST_LINE + 1));
            }
            break;
        case ReadingEvent::TextAfterEnd: {
            Finding finding = FindingAt(FindingKind::TextAfterEnd, note.line, note.column);
            finding.otherLine = check.endLine;
            findings.push_back(finding);
            break;
        }
        case ReadingEvent::TextEnded:
            findings.push_back(
                FindingAt(note.bytesAfterCtrlZ ? FindingKind::CtrlZ : FindingKind::NoEnd, note.line,
                          note.column));
            break;
        case ReadingEvent::NotOpened:
        case ReadingEvent::NoMarker:
        case ReadingEvent::EndFound:
            break;
        }
    }
    for (Finding* skipped : {&onEndLine, &beyond, &incomplete}) {
        if (skipped->count > 0) {
            findings.push_back(*skipped);
        }
    }
    for (int row = 0; row < drawCount; ++row) {
        CheckDraw(row, places[row], findings);
    }
    check.draws = drawCount;
    if (drawCount == 0) {
        findings.push_back(FindingAt(FindingKind::NoDraws, 0, 0));
        return;
    }
    check.firstDrawLine = places[0].at[0].line;
    check.lastDrawLine = places[drawCount - 1].at[0].line;
    for (int position = 0; position < DRAW_SIZE; ++position) {
        check.latest[static_cast<std::size_t>(position)] = DrawHistory[drawCount - 1][position];
    }
}

} // namespace

bool IsRefusal(FindingKind kind) {
    return kind == FindingKind::CannotOpen || kind == FindingKind::NoMarker;
}

HistoryCheck CheckHistoryFile(const char* path) {
    HistoryCheck check;
    std::string bytes;
    const FileProblem problem = ReadWholeFile(path, bytes);
    heard.clear();
    ResetState();
    ReadingHook = Listen;
    check.starts = LoadHistoryText(path) == 1;
    ReadingHook = nullptr;
    if (!check.starts) {
        for (const ReadingNote& note : heard) {
            if (note.event == ReadingEvent::NotOpened || note.event == ReadingEvent::NoMarker) {
                // A file that cannot be opened has no place to point at, only a reason.
                bool opened = note.event == ReadingEvent::NoMarker;
                Finding finding =
                    FindingAt(opened ? FindingKind::NoMarker : FindingKind::CannotOpen,
                              opened ? note.line : 0, opened ? note.column : 0);
                finding.value = static_cast<int>(problem);
                check.findings.push_back(finding);
                check.shownMessages = {note.message, LOAD_FAILED_TEXT};
            }
        }
        return check;
    }
    AnalyseReading(check);
    std::stable_sort(check.findings.begin(), check.findings.end(),
                     [](const Finding& a, const Finding& b) {
                         return a.line != b.line ? a.line < b.line : a.column < b.column;
                     });
    heard.clear();
    return check;
}

int CheckExitStatus(const HistoryCheck& check) {
    if (!check.starts) {
        return 2;
    }
    return check.findings.empty() ? 0 : 1;
}
