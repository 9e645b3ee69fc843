// Reading a history file as the person who kept it meant it, whatever shape it was
// typed or exported in, and writing it as a data.txt that KIVO6 reads as exactly
// those draws. kivo6-check --fix writes with it, and kivo6's first run with a file
// the user opens; the file check names a file's shape with it, once per file, where
// KIVO6's own reader would only show symptoms.
#pragma once

#include "import/language.h"
#include "platform/whole_file.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class TextEncoding { Utf8, Utf16LittleEndian, Utf16BigEndian, CodePage932 };

// Where a header row that names its columns (本数字1, ボーナス数字, 抽せん回, N1, Bonus,
// Date ...) puts each part of a draw, as column numbers from 1; 0 where it names none.
// Every column it does not take is left out, whatever it holds.
struct HeaderColumns {
    int line = 0;              // the header's line; 0 when the file has no such header
    int count = 0;             // its columns, unnamed ones at the end aside
    std::array<int, 6> main{}; // the six main numbers, in their order
    int bonus = 0;
    int drawNumber = 0;
    int date = 0;
};

// What the file is like, beyond what KIVO6 itself reads.
struct HistoryShape {
    TextEncoding encoding = TextEncoding::Utf8;
    bool byteOrderMark = false;   // UTF-16 or UTF-8 that starts with one
    char separator = ' ';         // what stands between values most: ' ', ',', ';', '\t'
    bool headerRow = false;       // an export's row of column names, skipped
    bool drawNumbers = false;     // draws carry their draw number (1850, 第1850回)
    bool dates = false;           // draws carry a date (2024/01/04, 2024-01-04, 2024年1月4日)
    bool newestFirst = false;     // the numbers or dates say the newest draw comes first
    bool lowercaseMarker = false; // "kivo" where KIVO6 looks for "KIVO"
    bool lowercaseEnd = false;    // "end" where KIVO6 looks for "END"
    bool noMarkerLine = false;    // the first line is already data
    bool fullWidth = false;       // full-width digits or spaces
    HeaderColumns columns{};      // the columns a header row names, when it names them
};

// Why a file cannot be fixed. Each names its line and column (in characters).
enum class FixRefusal {
    None,
    TooFewNumbers,      // fewer than seven numbers on a line of numbers
    TooManyNumbers,     // more than seven, besides a draw number and a date
    OutOfRange,         // a number outside 1 to 43
    RepeatedNumber,     // a main number twice in one draw
    BonusIsMain,        // the bonus equals one of the draw's main numbers
    DuplicateDisagrees, // one draw number or date twice, with different numbers
    NotADraw,           // a line of text that is neither header, marker nor END
    KeyMissing,         // no draw number (or date) where the other lines order by one
    NoDraws,            // nothing to write
    // A header row that names its columns, at the column it is about:
    HeaderTooFewMain,  // fewer than six main-number columns (value: how many)
    HeaderExtraMain,   // a main-number column beyond the sixth: another game's export
    HeaderNoBonus,     // no bonus column
    HeaderSecondBonus, // a second bonus column (value: the first one's column number)
    HeaderNameTwice,   // one part of a draw named twice (value: the first one's column number)
    // A line under such a header:
    CellCount,      // other than the header's count of cells (value: how many; otherLine: header)
    NoNumberInCell, // no number under a main-number or bonus column (value: its column number)
};

// Lines read but not written as a draw, and why.
enum class LeftOutKind { Header, Blank, AfterEnd, DuplicateAgrees };
struct LeftOutLine {
    int line;
    LeftOutKind kind;
};

struct HistoryAsMeant {
    HistoryShape shape;
    FixRefusal refusal = FixRefusal::None;
    int line = 0;                          // where a refusal is, from 1
    int column = 0;                        // in characters, from 1
    int value = 0;                         // the number a refusal is about, when it is about one
    int otherLine = 0;                     // DuplicateDisagrees: the line of the other copy
    std::string marker;                    // the marker line to write, UTF-8, no line end
    std::vector<std::array<int, 7>> draws; // six main numbers and the bonus, oldest first
    std::vector<LeftOutLine> leftOut;
};

// The code point at `at` of UTF-8 text, stepping over it; nothing (and `at` as it
// was) when the bytes there are not valid UTF-8.
std::optional<char32_t> NextCodePoint(std::string_view text, std::size_t& at);

// Text in any encoding this reading knows (UTF-8, UTF-16 with or without a byte order
// mark, code page 932), as UTF-8 without a byte order mark; a byte sequence that is not
// valid there becomes U+FFFD.
std::string TextAsUtf8(std::string_view bytes);

// Reads any bytes; never fails otherwise than by a refusal.
HistoryAsMeant ReadHistoryAsMeant(std::string_view bytes);

// The first fault of a draw's six main numbers and bonus, in their order: a number
// outside 1 to 43 (OutOfRange), a main number twice (RepeatedNumber), the bonus among
// the main numbers (BonusIsMain); `at` is its place, from 0. None when there is none.
FixRefusal DrawFault(const std::array<int, 7>& numbers, std::size_t& at);

// One value of a line as --fix reads a line of a file.
struct LineValue {
    int column = 0;      // in characters, from 1
    bool number = false; // digits only, half- or full-width
    int value = 0;       // of a number (below a billion)
    std::string text;    // UTF-8, full-width digits and signs made half-width
};
// The values of one line of text, UTF-8 or else code page 932 (a Windows command line),
// split where --fix splits a line of a file. `mark`, when not 0, is a sign that is a
// value of its own even where it touches another (--add's "+" before the bonus).
std::vector<LineValue> ReadLineValues(std::string_view line, char32_t mark);
// The same for a line of text already decoded to UTF-8 (TextAsUtf8), whatever bytes it
// holds: its encoding is not guessed again.
std::vector<LineValue> ReadUtf8LineValues(std::string_view utf8);

// A draw as data.txt holds it: the seven numbers in their order, single spaces between,
// no line end.
std::string DrawLineText(const std::array<int, 7>& draw);

// The data.txt for a history without a refusal: the marker line, one draw per line as
// DrawLineText writes it, END; CR LF line ends.
std::string FixedHistoryText(const HistoryAsMeant& history);

// What DrawFault found, about the number `value`, in a sentence.
std::string DrawFaultText(FixRefusal fault, int value, Language language);

// Why a file could not be replaced, in a sentence, for --fix and --add.
std::string ReplaceProblemText(ReplaceProblem problem, Language language);

// Why the file cannot be fixed, naming it with the line and column.
std::string FormatFixRefusal(std::string_view fileName, const HistoryAsMeant& history,
                             Language language);
// Why the file's bytes cannot be read at all (ReadWholeFile's answer), naming it.
std::string FormatFileRefusal(std::string_view fileName, FileProblem problem, Language language);
// What was done: the draws written and where, the lines left out and why, how many of
// the draws KIVO6 uses, and the backup's name when one was kept (empty when not).
std::string FormatFixDone(std::string_view written, std::string_view backup,
                          const HistoryAsMeant& history, Language language);
