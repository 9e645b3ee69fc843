// Tests of kivo6-check --fix's reading: each shape a history comes in, written out and
// loaded back through KIVO6's own reader, must give exactly the draws the table names;
// the cap of 256 draws, duplicates, and every refusal with its line, column and words.
#include "check/history_fix.h"

#include "history/state.h"
#include "support/core_fixture.h"

#include <string>
#include <vector>

using namespace std::string_literals;

namespace {

const Draw A{1, 2, 3, 4, 5, 6, 7};
const Draw B{11, 12, 13, 14, 15, 16, 17};
const Draw C{43, 21, 8, 30, 9, 1, 2};

// UTF-16 text as bytes: little- or big-endian, with or without a byte order mark.
std::string Utf16(std::u16string_view text, bool little, bool mark) {
    std::string bytes;
    for (char16_t unit : std::u16string(mark ? u"\uFEFF" : u"") + std::u16string(text)) {
        const char low = static_cast<char>(unit & 0xFF);
        const char high = static_cast<char>(unit >> 8);
        bytes += little ? std::string{low, high} : std::string{high, low};
    }
    return bytes;
}

// The shape in a few letters: encoding, byte order mark, separator, then h header,
// n draw numbers, d dates, f newest first, m lowercase marker, e lowercase END,
// x no marker line, w full-width.
std::string Letters(const HistoryShape& shape) {
    const char* encodings[] = {"utf-8", "utf-16le", "utf-16be", "cp932"};
    std::string text = encodings[static_cast<int>(shape.encoding)];
    text += shape.byteOrderMark ? "+bom " : " ";
    text += shape.separator;
    text += ' ';
    const bool flags[] = {shape.headerRow,    shape.drawNumbers,     shape.dates,
                          shape.newestFirst,  shape.lowercaseMarker, shape.lowercaseEnd,
                          shape.noMarkerLine, shape.fullWidth};
    for (int at = 0; at < 8; ++at) {
        text += flags[at] ? "hndfmexw"[at] : '-';
    }
    return text;
}

class HistoryFixTest : public CoreTest {
  protected:
    // The draws KIVO6 reads from the fixed text.
    std::vector<Draw> ReadBack(const HistoryAsMeant& history) {
        ResetState();
        EXPECT_EQ(LoadBytes(FixedHistoryText(history)), 1);
        std::vector<Draw> draws;
        for (int row = 0; row < drawCount; ++row) {
            Draw draw;
            for (int at = 0; at < DRAW_SIZE; ++at) {
                draw[at] = DrawHistory[row][at];
            }
            draws.push_back(draw);
        }
        return draws;
    }
};

TEST_F(HistoryFixTest, EachShapeIsReadByKivo6AsTheDrawsItHolds) {
    struct Case {
        std::string bytes;
        std::string shape;
        std::string marker;
        std::vector<Draw> draws;
    };
    const Case cases[] = {
        {"KIVO6 mine\n1 2 3 4 5 6 7\n\n11 12 13 14 15 16 17\nEND\n",
         "utf-8   --------",
         "KIVO6 mine",
         {A, B}},
        {"No,Date,N1,N2,N3,N4,N5,N6,Bonus\r\n1,2024/01/04,1,2,3,4,5,6,7\r\n"
         "2,2024/01/08,\"11\",\"12\",\"13\",\"14\",\"15\",\"16\",\"17\"\r\n",
         "utf-8 , hnd---x-",
         "KIVO6",
         {A, B}},
        {"KIVO\n43;21;8;30;9;1;2\n1; 2; 3; 4; 5; 6; 7\n", "utf-8 ; --------", "KIVO", {C, A}},
        {"KIVO\r43\t21\t8\t30\t9\t1\t2\r", "utf-8 \t --------", "KIVO", {C}},
        {"KIVO\n1851 11 12 13 14 15 16 17\n1850 1 2 3 4 5 6 7\n1849 43 21 8 30 9 1 2\n",
         "utf-8   -n-f----",
         "KIVO",
         {C, A, B}},
        {"KIVO\n第12回 1 2 3 4 5 6 7\n第13回 11 12 13 14 15 16 17\n",
         "utf-8   -n------",
         "KIVO",
         {A, B}},
        {"KIVO\n2024-01-08 11 12 13 14 15 16 17\n2024-01-04 1 2 3 4 5 6 7\n",
         "utf-8   --df----",
         "KIVO",
         {A, B}},
        {"KIVO\n2024年1月8日(月) 11 12 13 14 15 16 17\n2023年12月28日 1 2 3 4 5 6 7\n",
         "utf-8   --df----",
         "KIVO",
         {A, B}},
        {"my kivo list\n1 2 3 4 5 6 7\nend\n9 9\n", "utf-8   ----me--", "my KIVO list", {A}},
        {"1 2 3 4 5 6 7\n", "utf-8   ------x-", "KIVO6", {A}},
        {"\xEF\xBB\xBFKIVO\r\n1 2 3 4 5 6 7\r\n", "utf-8+bom   --------", "KIVO", {A}},
        {Utf16(u"KIVO ロト\r\n1 2 3 4 5 6 7\r\nEND\r\n", true, true),
         "utf-16le+bom   --------",
         "KIVO ロト",
         {A}},
        {Utf16(u"KIVO\n11,12,13,14,15,16,17\n", false, true),
         "utf-16be+bom , --------",
         "KIVO",
         {B}},
        {Utf16(u"回,日付,数字\r\n第2回,2024/01/08,1,2,3,4,5,6,7\r\n第1回,2024/01/04,11,12,13,14,"
               u"15,16,17\r\n",
               true, false),
         "utf-16le , hndf--x-",
         "KIVO6",
         {B, A}},
        {Utf16(u"KIVO\n1 2 3 4 5 6 7\n", false, false), "utf-16be   --------", "KIVO", {A}},
        // 回,日付 / 第1850回,2024年1月4日,... / 第1849回,2024年1月1日,... in code page 932.
        {"\x89\xF1,\x93\xFA\x95\x74\r\n"
         "\x91\xE6"
         "1850\x89\xF1,2024\x94\x4E"
         "1\x8C\x8E"
         "4\x93\xFA,1,2,3,4,5,6,7\r\n"
         "\x91\xE6"
         "1849\x89\xF1,2024\x94\x4E"
         "1\x8C\x8E"
         "1\x93\xFA,43,21,8,30,9,1,2\r\n",
         "cp932 , hndf--x-",
         "KIVO6",
         {C, A}},
        {"KIVO\n１　２　３　４　５　６　７\n１１，１２，１３，１４，１５，１６，１７\n",
         "utf-8 , -------w",
         "KIVO",
         {A, B}}, // as many commas as spaces: the commas
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        const HistoryAsMeant history = ReadHistoryAsMeant(c.bytes);
        ASSERT_EQ(history.refusal, FixRefusal::None);
        EXPECT_EQ(Letters(history.shape), c.shape);
        EXPECT_EQ(history.marker, c.marker);
        EXPECT_EQ(history.draws.size(), c.draws.size());
        EXPECT_EQ(ReadBack(history), c.draws);
    }
}

TEST_F(HistoryFixTest, EveryDrawIsWrittenKIVO6ReadsTheNewest256AndRepeatsThatAgreeOnce) {
    // Line k holds draw number k and the bonus k % 37 + 7; line 150 stands twice.
    std::string text = "KIVO\n";
    for (int k = 300; k >= 1; --k) {
        const std::string line =
            std::to_string(k) + " 1 2 3 4 5 6 " + std::to_string(k % 37 + 7) + "\n";
        text += k == 150 ? line + line : line;
    }
    const HistoryAsMeant history = ReadHistoryAsMeant(text);
    ASSERT_EQ(history.refusal, FixRefusal::None);
    EXPECT_EQ(history.draws.size(), 300u);
    const std::vector<Draw> read = ReadBack(history);
    ASSERT_EQ(read.size(), 256u);
    EXPECT_EQ(read.front(), (Draw{1, 2, 3, 4, 5, 6, 15})); // draw 45
    EXPECT_EQ(read.back(), (Draw{1, 2, 3, 4, 5, 6, 11}));  // draw 300
    EXPECT_EQ(FormatFixDone("data.txt", "x.csv.orig", history, Language::English),
              "data.txt: 300 draws written, oldest first (the file had the newest first).\n"
              "Draw numbers and dates are left out: KIVO6 reads only the numbers.\n"
              "Draws that stood twice, alike, written once: 1 (the first repeat on line 153).\n"
              "KIVO6 uses the newest 256 of the 300 draws.\n"
              "The original file is kept, byte for byte, as x.csv.orig.\n");
}

TEST_F(HistoryFixTest, EachRefusalNamesItsLineColumnAndCause) {
    struct Case {
        std::string bytes;
        FixRefusal refusal;
        std::string message; // the first line of the refusal, for file "f"
    };
    const Case cases[] = {
        {"KIVO\n1 2 3 4 5\n", FixRefusal::TooFewNumbers,
         "f:2:1: error: this line holds 5 numbers besides any draw number and date; a draw is "
         "seven: six main numbers and the bonus"},
        {"KIVO\n1 2 3 4 5 6 7\n1 2 3 4 5 6 7 8\n", FixRefusal::TooManyNumbers,
         "f:3:15: error: this line holds 8 numbers besides"},
        // Columns count characters: 第 and 回 take three bytes each, １ and the
        // full-width space three too.
        {"KIVO\n第12回 1 2 3 4 5 6 44\n", FixRefusal::OutOfRange,
         "f:2:18: error: 44 is outside 1 to 43"},
        {"１　２　３　４　５　６　０\n", FixRefusal::OutOfRange, "f:1:13: error: 0 is outside"},
        {"KIVO\n1,2,3,2,5,6,7\n", FixRefusal::RepeatedNumber,
         "f:2:7: error: 2 stands twice among the six main numbers"},
        {"KIVO\n1 2 3 4 5 6 3\n", FixRefusal::BonusIsMain,
         "f:2:13: error: the bonus number 3 is also one of the main numbers"},
        {"KIVO\n1850 1 2 3 4 5 6 7\n1851 1 2 3 4 5 6 7\n1850 1 2 3 4 5 6 8\n",
         FixRefusal::DuplicateDisagrees,
         "f:4:1: error: this draw stands on line 2 too, with other numbers: which is right?"},
        {"KIVO\n1 2 3 4 5 6 7\nsee the notes\n", FixRefusal::NotADraw,
         "f:3:1: error: this line is not a draw of seven numbers, nor a header row, a KIVO line "
         "or END"},
        {"KIVO\n2024/01/04 1 2 3 4 5 6 7\n1 2 3 4 5 6 7 x\n", FixRefusal::NotADraw,
         "f:3:15: error: this line is not"},
        {"KIVO\n2024/01/04 1 2 3 4 5 6 7\n1 2 3 4 5 6 7\n", FixRefusal::KeyMissing,
         "f:3:1: error: this line lacks the draw number or date the other lines have"},
        {"KIVO\nEND\n1 2 3 4 5 6 7\n", FixRefusal::NoDraws,
         "f: error: there are no draws to write\nf: nothing was written."},
        {"", FixRefusal::NoDraws, "f: error: there are no draws"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        const HistoryAsMeant history = ReadHistoryAsMeant(c.bytes);
        EXPECT_EQ(history.refusal, c.refusal);
        EXPECT_EQ(FormatFixRefusal("f", history, Language::English).rfind(c.message, 0), 0u)
            << FormatFixRefusal("f", history, Language::English);
    }
    // The shape is named for a refused file too: code page 932, a header, no marker.
    EXPECT_EQ(Letters(ReadHistoryAsMeant("\x89\xF1,\x93\xFA\x95\x74\r\n1,2,3\r\n").shape),
              "cp932 , h-----x-");
}

} // namespace
