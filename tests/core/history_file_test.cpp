// Reading data.txt: the marker, the value stream, "END", the limits of the history,
// the text-mode rules and the malformed input a hand-kept file can hold.
#include "support/core_fixture.h"

#include "core/history/history_file.h"
#include "core/history/state.h"
#include "support/loaded_tables.h"

#include <string>

using namespace std::string_literals;

namespace {

// A row of the history as its values, one space apart.
std::string RowText(int row) {
    std::string text = std::to_string(DrawHistory[row][0]);
    for (int position = 1; position < DRAW_SIZE; ++position) {
        text.append(" ").append(std::to_string(DrawHistory[row][position]));
    }
    return text;
}

class HistoryFile : public CoreTest {};

TEST_F(HistoryFile, RefusedFilesSayWhyOnce) {
    const std::string notOpened = "Data Read ERROR";
    const std::string noMarker = "Error: Wrong File.\nThis file is not data.txt";
    struct Case {
        const char* why;
        std::string bytes; // written as data.txt, unless the path below is read instead
        const char* path;
        const std::string& text;
    } cases[] = {
        {"missing file", "", "absent.txt", notOpened},
        {"a folder", "", ".", notOpened},
        {"empty file: no line to search", "", nullptr, noMarker},
        {"case matters", "kivo\n1 2 3 4 5 6 7\nEND\n", nullptr, noMarker},
        {"only line 1 counts", "\nKIVO\nEND\n", nullptr, noMarker},
        {"marker ending at character 256", std::string(252, '.') + "KIVO\nEND\n", nullptr,
         noMarker},
        {"NUL ends the marker line's text", "KI\0VO\nEND\n"s, nullptr, noMarker},
        {"Ctrl-Z ends the marker line's text", "KI\x1aVO\nEND\n", nullptr, noMarker},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        ShownFailures().clear();
        ResetState();
        std::string path = c.path ? (folder_ / c.path).string() : WriteHistory(c.bytes).string();
        EXPECT_EQ(LoadHistoryText(path.c_str()), 0);
        EXPECT_EQ(ShownFailures(), std::vector<std::string>{c.text});
        EXPECT_EQ(drawCount, 0);
    }
}

TEST_F(HistoryFile, EachFileLeavesItsDraws) {
    const char *none = "0 0 0 0 0 0 0", *first = "1 2 3 4 5 6 7", *second = "8 9 10 11 12 13 14";
    struct Case {
        const char* why;
        std::string bytes;
        int draws;
        int row;
        const char* values;
    } cases[] = {
        {"marker ending at character 255", std::string(251, '.') + "KIVO\nEND\n", 0, 0, none},
        {"a marker without newline or data", "KIVO", 0, 0, none},
        {"line 1 is one line however long", "KIVO" + std::string(300, ' ') + "1 2 3 4 5 6 7\nEND\n",
         0, 0, none},
        {"END ends the data", "KIVO\nEND\n1 2 3 4 5 6 7\n", 0, 0, none},
        {"fourteen values on one line", "KIVO\n1 2 3 4 5 6 7 8 9 10 11 12 13 14\nEND\n", 2, 1,
         second},
        {"a draw across lines", "KIVO\n  1   2 3\n\n4 5 6\n7\nEND\n", 1, 0, first},
        {"blanks add no value", "KIVO\n1 2 3 4 5 6 7   \n     \n8 9 10 11 12 13 14 \nEND\n", 2, 1,
         second},
        {"no END, no last newline", "KIVO\n1 2 3 4 5 6 7\n8 9 10 11 12 13 14", 2, 1, second},
        {"NUL ends its line's data", "KIVO\n1 2 3\0 4 5 END\n4 5 6 7\nEND\n"s, 1, 0, first},
        {"CR LF ends a line", "KIVO\r\n1 2 3 4 5 6 7 \r\n8 9 10 11 12 13 14\r\nEND\r\n", 2, 1,
         second},
        {"a CR without LF keeps what follows", "KIVO\n1 2 3 4 5 6 \r7\nEND\n", 1, 0, first},
        // 5 + 4076 + 14 bytes: the CR is the last byte of the first 4096-byte read.
        {"CR and LF pair across reads",
         "KIVO\n" + std::string(4076, ' ') + "1 2 3 4 5 6 7 \r\n8 9 10 11 12 13 14\r\nEND\r\n", 2,
         1, second},
        {"Ctrl-Z ends the file",
         "KIVO\n1 2 3 4 5 6 7\n8 9 1\x1a"
         "0 11 12 13 14\nEND\n",
         1, 1, "8 9 1 0 0 0 0"},
        {"Ctrl-Z ends the marker line", "KIVO\x1a\n1 2 3 4 5 6 7\nEND\n", 0, 0, none},
        {"the END line stores nothing", "KIVO\n1 2 3 4 5 6 7\n10 20 END\n21 22 23 24 25 26 27\n", 1,
         1, none},
        {"a draw the END line completed is taken back", "KIVO\n1 2 3 4 5 6\n7 END\n", 0, 0,
         "1 2 3 4 5 6 0"},
        {"END within a word; a partial draw is not counted", "KIVO\n1 2 3 4 5 6 7 10 20\nWEEKEND\n",
         1, 1, "10 20 0 0 0 0 0"},
        {"the number straddling character 255 and long tokens are read whole",
         "KIVO\n" + std::string(254, ' ') + "42 1 2 3 4 5 6\n" + std::string(10000, ' ') +
             "7 8 9 10 11 12 " + std::string(5000, '0') + "13\nEND\n",
         2, 1, "7 8 9 10 11 12 13"},
        {"tokens convert as the decimal conversion does",
         "KIVO\n+5 -1 007 abc 12x 3\t5 \t9\n0000000000017 99999999999999999999 -99999999999 "
         "257 300 4294967297 2147483647\nEND\n",
         2, 0, "5 255 7 0 12 3 9"},
        // Beyond int a value saturates before it is cut to 8 bits: INT_MAX gives 255.
        {"values beyond int saturate", "", 2, 1, "17 255 0 1 44 255 255"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        if (!c.bytes.empty()) { // else the file of the case before, another row of it
            ResetState();
            ASSERT_EQ(LoadBytes(c.bytes), 1);
        }
        EXPECT_EQ(drawCount, c.draws);
        EXPECT_EQ(mainTotal, 6 * c.draws);
        EXPECT_EQ(RowText(c.row), c.values);
    }
    EXPECT_TRUE(ShownFailures().empty());
}

// Draw d of these files (from 1) holds d % 256 and d / 256, then 1 to 5, so a row names
// the draw it holds.
std::string DrawsText(int from, int to, int perLine, const char* lineEnd) {
    std::string text;
    for (int draw = from; draw <= to; ++draw) {
        text += std::to_string(draw % 256) + " " + std::to_string(draw / 256) + " 1 2 3 4 5";
        text += (draw - from + 1) % perLine == 0 || draw == to ? lineEnd : " ";
    }
    return text;
}

// The values of the text, 14 a line after a first line of 3, so draws run across lines.
std::string Rewrapped(const std::string& text) {
    std::string wrapped;
    int values = 0;
    for (char c : text) {
        bool lineEnds = c == ' ' && (++values == 3 || (values > 3 && (values - 3) % 14 == 0));
        wrapped += lineEnds ? '\n' : c;
    }
    return wrapped + "\n";
}

// Each file loads exactly as the file of its newest 256 draws alone, one a line, would:
// the same rows in file order, counters and total; counters wrap at 256.
TEST_F(HistoryFile, TheNewest256DrawsAreKeptInFileOrder) {
    const std::string first256 = "KIVO\n" + DrawsText(1, 256, 1, "\n");
    struct Case {
        const char* why;
        std::string bytes;
        int oldestKept; // of the file's draws, counted from 1
    } cases[] = {
        {"END takes its line back: the first draw stays in row 0", first256 + "1 2 3 4 5 6 7 END\n",
         1},
        {"END takes back more than a history of draws on its line",
         first256 + DrawsText(257, 600, 1000, " END\n"), 1},
        {"after 256 draws, leftover values go nowhere", first256 + "1 2 3\nEND\n", 1},
        {"300 draws, then leftovers", "KIVO\n" + DrawsText(1, 300, 1, "\n") + "1 2 3\nEND\n", 45},
        {"300 draws running across lines, 14 values a line",
         "KIVO\n" + Rewrapped(DrawsText(1, 300, 300, "")), 45},
        {"1,000 draws with CR LF", "KIVO\r\n" + DrawsText(1, 1000, 1, "\r\n") + "END\r\n", 745},
    };
    static LoadedTables loaded;
    static LoadedTables cut;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        ResetState();
        ASSERT_EQ(LoadBytes("KIVO\n" + DrawsText(c.oldestKept, c.oldestKept + 255, 1, "\n")), 1);
        TakeLoadedTables(cut);
        ResetState();
        ASSERT_EQ(LoadBytes(c.bytes), 1);
        TakeLoadedTables(loaded);
        EXPECT_EQ(drawCount, 256);
        EXPECT_EQ(RowText(0), std::to_string(c.oldestKept % 256) + " " +
                                  std::to_string(c.oldestKept / 256) + " 1 2 3 4 5");
        EXPECT_TRUE(SameLoadedTables(loaded, cut));
        // The bonus 5 is in every one of the 256 draws kept: its counter wraps to 0.
        EXPECT_EQ(bonusCounts[4] + mainTotal, 1536);
    }
}

} // namespace
