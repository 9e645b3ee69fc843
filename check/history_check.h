// The file check of kivo6-check: reads a data.txt through KIVO6's own reader with a
// hook listening, and turns what the reader met into findings with line and column,
// a summary, and the exit status. main.cpp and the tests use it.
#pragma once

#include "core/history/state.h"
#include "import/history_as_meant.h"
#include "import/language.h"
#include "platform/whole_file.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class FindingKind {
    // KIVO6 refuses the file.
    CannotOpen,
    NoMarker,
    // KIVO6 reads the file, but not as its writer meant.
    NumberSplit,        // a tab (or other white space) inside a number: the rest is lost
    CharacterSwallows,  // another character ends a number: the rest is lost
    ReadAsZero,         // a token that holds no number
    OutOfRange,         // a value outside 1..43
    RepeatedInDraw,     // a main number twice in one draw
    BonusIsMain,        // the bonus number is one of the draw's main numbers
    DrawSplit,          // one draw's seven values stand on more than one line
    IncompleteLastDraw, // fewer than seven values at the end
    NulInLine,          // a NUL character hides the rest of its line
    ValuesOnEndLine,    // numbers on the END line, which is not read
    TextAfterEnd,
    NoEnd,
    CtrlZ,    // a Ctrl-Z hides the rest of the file
    LongLine, // longer than a data line may be
    NoDraws,
    // Only a note: the file is fine.
    OlderDrawsUnused, // more draws than KIVO6 uses: count; at the first one it uses
};

struct Finding {
    FindingKind kind;
    int line = 0;
    int column = 0;
    int value = 0;     // the value as written (OutOfRange); CannotOpen: the FileProblem
    int stored = 0;    // what KIVO6 keeps of it, or the number concerned
    int character = 0; // the character concerned, -1 for a token of white space only
    int draw = 0;      // the draw concerned, counted from 1
    int otherLine = 0; // where the draw ends, or the number's first place
    int otherColumn = 0;
    int count = 0; // values concerned
    // The character concerned when it lies outside ASCII: as UTF-8 when the file's
    // text says what it is, and its code ("U+7B2C", or "0x91E6" in code page 932).
    std::string glyph{};
    std::string code{};
};

bool IsRefusal(FindingKind kind);
// A finding that tells, but warns of nothing: it leaves the exit status 0.
bool IsNote(FindingKind kind);

// One draw of the file as KIVO6 stores it: six main numbers, then the bonus.
using FileDraw = std::array<std::uint8_t, DRAW_SIZE>;

// The longest data line KIVO6's file format allows, newline not counted.
inline constexpr int LONGEST_LINE = 255;

// What a file not yet read gives --fix: no draws to write.
inline HistoryAsMeant NothingRead() {
    HistoryAsMeant meant;
    meant.refusal = FixRefusal::NoDraws;
    return meant;
}

struct HistoryCheck {
    bool starts = false;                    // KIVO6 would load the file and open its dialog
    std::vector<std::string> shownMessages; // what KIVO6 shows when it does not start
    std::vector<Finding> findings;          // in the order of the file
    int draws = 0; // complete draws in the file; KIVO6 uses the newest HISTORY_CAPACITY
    std::vector<FileDraw> fileDraws; // all of them, oldest first
    int firstDrawLine = 0;
    int lastDrawLine = 0;
    int endLine = 0;             // the line holding END; 0 when there is none
    std::array<int, 7> latest{}; // the latest draw as stored, when draws > 0
    // The file read as its keeper meant it: its shape, for the causes, and the draws
    // kivo6-check --fix would write. Until the file is read there are none.
    HistoryAsMeant meant = NothingRead();

    // kivo6-check --fix can mend the file.
    bool FixReadsIt() const {
        return meant.refusal == FixRefusal::None;
    }
};

// Reads the file as KIVO6 does at start-up (ResetState, then LoadHistoryText) and
// leaves the history loaded. A file over WHOLE_FILE_LIMIT is not read: its one finding
// is CannotOpen with the reason FileProblem::TooLarge.
HistoryCheck CheckHistoryFile(const char* path);

// 0 when the file is clean, 1 when KIVO6 reads it with warnings or its shape has a cause,
// 2 when KIVO6 refuses it.
int CheckExitStatus(const HistoryCheck& check);

// Where a file's shape differs from the one KIVO6 reads, and so what it makes KIVO6 do.
enum class ShapeCause {
    Utf16,
    FirstLineIsADraw,
    LowercaseMarker,
    HeaderRow,
    Separator, // the shape's separator is not a space
    DrawNumbers,
    Dates,
    DrawNumbersAndDates,
    FullWidth,
    LowercaseEnd,
    NewestFirst,
};

// The file's causes, each once, in the order a user would mend them; none when the
// shape is the one KIVO6 reads.
std::vector<ShapeCause> CausesOf(const HistoryShape& shape);
// The same causes as texts.
std::vector<std::string> ShapeCauses(const HistoryShape& shape, Language language);

// The causes, with the command that mends the file when --fix reads it; the findings,
// at most a few of each kind; then the summary.
std::string FormatHistoryCheck(std::string_view fileName, const HistoryCheck& check,
                               Language language);
