// Tests of reading a history as meant (kivo6-check --fix, kivo6's first run): each
// shape a history comes in must give exactly the draws the table names, and the file
// written from it loads back through KIVO6's own reader as those draws; the cap of 256
// draws, duplicates, and every refusal with its line, column and words.
#include "import/history_as_meant.h"

#include "core/history/state.h"
#include "support/core_fixture.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

const Draw A{1, 2, 3, 4, 5, 6, 7};
const Draw B{11, 12, 13, 14, 15, 16, 17};
const Draw C{43, 21, 8, 30, 9, 1, 2};

// The draws A, B and C by their letters, oldest first: "CA" is C, then A.
std::vector<Draw> Draws(std::string_view letters) {
    std::vector<Draw> draws;
    for (char letter : letters) {
        draws.push_back(letter == 'A' ? A : letter == 'B' ? B : C);
    }
    return draws;
}

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

class HistoryFixTest : public CoreTest {};

// Each shape is read as its draws (the written file is loaded back through KIVO6's own
// reader in the operator's export below).
TEST_F(HistoryFixTest, EachShapeIsReadAsTheDrawsItHolds) {
    struct Case {
        std::string bytes;
        std::string shape;
        std::string marker;
        std::string draws;
    };
    const Case cases[] = {
        {"KIVO6 mine\n1 2 3 4 5 6 7\n\n11 12 13 14 15 16 17\nEND\n", "utf-8   --------",
         "KIVO6 mine", "AB"},
        {"KIVO\n43;21;8;30;9;1;2\n1; 2; 3; 4; 5; 6; 7\n", "utf-8 ; --------", "KIVO", "CA"},
        {"KIVO\r43\t21\t8\t30\t9\t1\t2\r", "utf-8 \t --------", "KIVO", "C"},
        {"KIVO\n1851 11 12 13 14 15 16 17\n1850 1 2 3 4 5 6 7\n1849 43 21 8 30 9 1 2\n",
         "utf-8   -n-f----", "KIVO", "CAB"},
        {"KIVO\n第12回 1 2 3 4 5 6 7\n第13回 11 12 13 14 15 16 17\n", "utf-8   -n------", "KIVO",
         "AB"},
        {"KIVO\n2024-01-08 11 12 13 14 15 16 17\n2024-01-04 1 2 3 4 5 6 7\n", "utf-8   --df----",
         "KIVO", "AB"},
        {"KIVO\n2024年1月8日(月) 11 12 13 14 15 16 17\n2023年12月28日 1 2 3 4 5 6 7\n",
         "utf-8   --df----", "KIVO", "AB"},
        {"my kivo list\n1 2 3 4 5 6 7\nend\n9 9\n", "utf-8   ----me--", "my KIVO list", "A"},
        {"1 2 3 4 5 6 7\n", "utf-8   ------x-", "KIVO6", "A"},
        {"\xEF\xBB\xBFKIVO\r\n1 2 3 4 5 6 7\r\n", "utf-8+bom   --------", "KIVO", "A"},
        {Utf16(u"KIVO ロト\r\n1 2 3 4 5 6 7\r\nEND\r\n", true, true), "utf-16le+bom   --------",
         "KIVO ロト", "A"},
        {Utf16(u"KIVO\n11,12,13,14,15,16,17\n", false, true), "utf-16be+bom , --------", "KIVO",
         "B"},
        {Utf16(u"回,日付,数字\r\n第2回,2024/01/08,1,2,3,4,5,6,7\r\n第1回,2024/01/04,11,12,13,14,"
               u"15,16,17\r\n",
               true, false),
         "utf-16le , hndf--x-", "KIVO6", "BA"},
        {Utf16(u"KIVO\n1 2 3 4 5 6 7\n", false, false), "utf-16be   --------", "KIVO", "A"},
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
         "cp932 , hndf--x-", "KIVO6", "CA"},
        // As many commas as spaces: the commas.
        {"KIVO\n１　２　３　４　５　６　７\n１１，１２，１３，１４，１５，１６，１７\n",
         "utf-8 , -------w", "KIVO", "AB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        const HistoryAsMeant history = ReadHistoryAsMeant(c.bytes);
        EXPECT_EQ(history.refusal, FixRefusal::None);
        EXPECT_EQ(Letters(history.shape), c.shape);
        EXPECT_EQ(history.marker, c.marker);
        EXPECT_EQ(history.draws, Draws(c.draws));
    }
}

TEST_F(HistoryFixTest, EveryDrawIsWrittenOldestFirstAndRepeatsThatAgreeOnce) {
    // Line k holds draw number k and the bonus k % 37 + 7; line 150 stands twice.
    std::string text = "KIVO\n";
    for (int k = 300; k >= 1; --k) {
        const std::string line =
            std::to_string(k) + " 1 2 3 4 5 6 " + std::to_string(k % 37 + 7) + "\n";
        text += k == 150 ? line + line : line;
    }
    const HistoryAsMeant history = ReadHistoryAsMeant(text);
    ASSERT_EQ(history.refusal, FixRefusal::None);
    ASSERT_EQ(history.draws.size(), 300u);
    EXPECT_EQ(history.draws.front(), (Draw{1, 2, 3, 4, 5, 6, 8})); // draw 1
    EXPECT_EQ(history.draws.back(), (Draw{1, 2, 3, 4, 5, 6, 11})); // draw 300
    EXPECT_EQ(FormatFixDone("data.txt", "x.csv.orig", history, Language::English),
              "data.txt: 300 draws written, oldest first (the file had the newest first).\n"
              "Draw numbers and dates are left out: KIVO6 reads only the numbers.\n"
              "Draws that stood twice, alike, written once: 1 (the first repeat on line 153).\n"
              "KIVO6 uses the newest 256 of the 300 draws.\n"
              "The original file is kept, byte for byte, as x.csv.orig.\n");
}

TEST_F(HistoryFixTest, EachRefusalNamesItsLineColumnAndCause) {
    // The bytes, and the start of the refusal for file "f".
    const std::pair<std::string, std::string> cases[] = {
        {"KIVO\n1 2 3 4 5\n",
         "f:2:1: error: this line holds 5 numbers besides any draw number and date; a draw is "
         "seven: six main numbers and the bonus"},
        {"KIVO\n1 2 3 4 5 6 7\n1 2 3 4 5 6 7 8\n",
         "f:3:15: error: this line holds 8 numbers besides any draw number and date; a draw is "
         "seven: six main numbers and the bonus; a header line naming the columns (本数字1 to "
         "本数字6 and ボーナス数字, or N1 to N6 and BONUS) makes a file with more on each line "
         "readable\n"},
        // Columns count characters: 第 and 回 take three bytes each, １ and the
        // full-width space three too.
        {"KIVO\n第12回 1 2 3 4 5 6 44\n", "f:2:18: error: 44 is outside 1 to 43"},
        {"１　２　３　４　５　６　０\n", "f:1:13: error: 0 is outside"},
        {"KIVO\n1,2,3,2,5,6,7\n", "f:2:7: error: 2 stands twice among the six main numbers"},
        {"KIVO\n1 2 3 4 5 6 3\n",
         "f:2:13: error: the bonus number 3 is also one of the main numbers"},
        {"KIVO\n1850 1 2 3 4 5 6 7\n1851 1 2 3 4 5 6 7\n1850 1 2 3 4 5 6 8\n",
         "f:4:1: error: this draw stands on line 2 too, with other numbers: which is right?"},
        {"KIVO\n1 2 3 4 5 6 7\nsee the notes\n",
         "f:3:1: error: this line is not a draw of seven numbers, nor a header row, a KIVO line "
         "or END"},
        {"KIVO\n2024/01/04 1 2 3 4 5 6 7\n1 2 3 4 5 6 7 x\n", "f:3:15: error: this line is not"},
        {"KIVO\n2024/01/04 1 2 3 4 5 6 7\n1 2 3 4 5 6 7\n",
         "f:3:1: error: this line lacks the draw number or date the other lines have"},
        {"KIVO\nEND\n1 2 3 4 5 6 7\n",
         "f: error: there are no draws to write\nf: nothing was written."},
        {"", "f: error: there are no draws"},
    };
    for (const auto& [bytes, message] : cases) {
        const std::string refusal =
            FormatFixRefusal("f", ReadHistoryAsMeant(bytes), Language::English);
        EXPECT_EQ(refusal.substr(0, message.size()), message) << bytes;
    }
    // The shape is named for a refused file too: code page 932, a header, no marker.
    EXPECT_EQ(Letters(ReadHistoryAsMeant("\x89\xF1,\x93\xFA\x95\x74\r\n1,2,3\r\n").shape),
              "cp932 , h-----x-");
}

TEST_F(HistoryFixTest, AHeaderThatNamesItsColumnsSaysWhereEachDrawIs) {
    struct Case {
        std::string bytes;
        std::string draws; // none when refused
        FixRefusal refusal = FixRefusal::None;
        int line = 0;
        int column = 0;
    };
    const Case cases[] = {
        // Other columns are left out whatever they hold; 回数 only contains 回.
        {"抽せん回,抽せん日,曜日,本数字1,本数字2,本数字3,本数字4,本数字5,本数字6,ボーナス数字,"
         "回数\n"
         "第2回,2024/01/08,月,11,12,13,14,15,16,17,x\n第1回,2024/01/04,木,1,2,3,4,5,6,7,\n",
         "AB"},
        // Any order and case; an empty cell, and empty cells past the header's.
        {"Sales;num2;Num1;NUM3;num4;num5;num6;BonusBall;Date\n9;12;11;13;14;15;16;17;2024-01-08\n"
         ";2;1;3;4;5;6;7;2024-01-04;;\n",
         "AB"},
        {"Ｄｒａｗ＿Ｎｏ\tＮ １\tN2\tN3\tN4\tN5\tN6\tﾎﾞｰﾅｽ\n2\t43\t21\t8\t30\t9\t1\t2\n"
         "1\t1\t2\t3\t4\t5\t6\t7\n",
         "AC"},
        {"第1数字,第2数字,第3数字,第4数字,第5数字,第6数字,B,1等賞金\n"
         "1,2,3,4,5,6,7,\"45,513,600\"\n\"11\",12,13,14,15,16,17,\"\"\"1,000\"\" yen\"\n",
         "AB"},
        // A row with numbers in it is a draw, though it names the bonus.
        {"1,2,3,4,5,6,B\n", "", FixRefusal::NotADraw, 1, 13},
        {"回,本数字1,本数字2,本数字3,本数字4,本数字5,本数字6\n", "", FixRefusal::HeaderNoBonus, 1,
         28},
        {"N1,N2,N3,N4,N5,N6,N7,Bonus\n", "", FixRefusal::HeaderExtraMain, 1, 19},
        {"Date,N1,N2,N3,N4,N5,B\n", "", FixRefusal::HeaderTooFewMain, 1, 6},
        {"N1,N2,N3,N4,N5,N6,B,n_1\n", "", FixRefusal::HeaderNameTwice, 1, 21},
        {"本数字1,本数字2,本数字3,本数字4,本数字5,本数字6,ボーナス数字1,ボーナス数字2\n", "",
         FixRefusal::HeaderSecondBonus, 1, 39},
        {"回,曜日,N1,N2,N3,N4,N5,N6,B\n1,1,2,3,4,5,6,7\n", "", FixRefusal::CellCount, 2, 16},
        {"N1,N2,N3,N4,N5,N6,B\n1,2,3,4,5,6,7,8\n", "", FixRefusal::CellCount, 2, 15},
        {"N1,N2,N3,N4,N5,N6,B\n1,2,,4,5,6,7\n", "", FixRefusal::NoNumberInCell, 2, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        const HistoryAsMeant history = ReadHistoryAsMeant(c.bytes);
        EXPECT_EQ(history.refusal, c.refusal);
        EXPECT_EQ(history.line, c.line);
        EXPECT_EQ(history.column, c.column);
        EXPECT_EQ(history.draws, Draws(c.draws));
    }
}

TEST_F(HistoryFixTest, AnOperatorsExportIsReadAsItsDrawsAndSaysWhichColumnsItTook) {
    // Code page 932: 抽せん回,抽せん日,曜日,本数字1..6,ボーナス数字, five prize tiers'
    // 等口数 and 等賞金, キャリーオーバー; then draw k (第k回), oldest first, on line k + 1.
    std::string text = "\x92\x8A\x82\xB9\x82\xF1\x89\xF1,\x92\x8A\x82\xB9\x82\xF1\x93\xFA,"
                       "\x97\x6A\x93\xFA";
    for (int n = 1; n <= 6; ++n) {
        text += ",\x96\x7B\x90\x94\x8E\x9A" + std::to_string(n);
    }
    text += ",\x83\x7B\x81\x5B\x83\x69\x83\x58\x90\x94\x8E\x9A";
    for (int tier = 1; tier <= 5; ++tier) {
        text += "," + std::to_string(tier) + "\x93\x99\x8C\xFB\x90\x94," + std::to_string(tier) +
                "\x93\x99\x8F\xDC\x8B\xE0";
    }
    text += ",\x83\x4C\x83\x83\x83\x8A\x81\x5B\x83\x49\x81\x5B\x83\x6F\x81\x5B\r\n";
    const auto drawOf = [](int k) { return Draw{1, 2, 3, 4, 5, 6 + k % 31, 38 + k % 6}; };
    for (int k = 1; k <= 300; ++k) {
        text += "\x91\xE6" + std::to_string(k) + "\x89\xF1,2024/01/04,\x96\xD8";
        for (int number : drawOf(k)) {
            text += "," + std::to_string(number);
        }
        text += ",0,\"0\",3,\"15,413,000\",150,\"487,300\",7000,\"8,800\",120000,\"1,000\","
                "\"45,513,600\"\r\n";
    }
    const HistoryAsMeant history = ReadHistoryAsMeant(text);
    ASSERT_EQ(history.refusal, FixRefusal::None);
    EXPECT_EQ(Letters(history.shape), "cp932 , hnd---x-");
    ASSERT_EQ(history.draws.size(), 300u);
    for (int at = 0; at < 300; ++at) {
        EXPECT_EQ(history.draws[at], drawOf(at + 1)) << at;
    }
    // KIVO6 reads the written file as the export's last 256 draws, in order.
    ASSERT_EQ(LoadBytes(FixedHistoryText(history)), 1);
    ASSERT_EQ(drawCount, 256);
    for (int row = 0; row < drawCount; ++row) {
        const Draw expected = drawOf(row + 45);
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(), DrawHistory[row])) << row;
    }
    const std::pair<Language, std::string> notes[] = {
        {Language::English,
         "The header on line 1 names the columns: numbers from columns 4–9, bonus from column "
         "10, draw numbers from column 1; 13 other columns (2, 3, 11–21) left out.\n"},
        {Language::Japanese,
         "1 行目の見出しの列名に従い、本数字を 4～9 列目から、ボーナス数字を 10 列目から、回号を 1 "
         "列目から読みました。ほかの 13 列（2、3、11～21 列目）は書き込みません。\n"},
    };
    for (const auto& [language, note] : notes) {
        const std::string done = FormatFixDone("d", "", history, language);
        EXPECT_NE(done.find(note), std::string::npos) << done;
        EXPECT_EQ(done.find(InLanguage(language, "header row", "見出しの行")), std::string::npos);
    }
}

} // namespace
