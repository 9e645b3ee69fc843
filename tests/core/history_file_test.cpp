// Reading data.txt: the marker, the value stream, "END", the limits of the history,
// the text-mode rules and every malformed input a hand-kept file can hold.
#include "support/core_fixture.h"

#include "history/history_file.h"
#include "history/state.h"
#include "support/loaded_tables.h"

#include <climits>
#include <string>

using namespace std::string_literals;

namespace {

std::vector<int> Row(int row) {
    return std::vector<int>(DrawHistory[row], DrawHistory[row] + DRAW_SIZE);
}

std::vector<int> Values(std::initializer_list<int> values) {
    return values;
}

class HistoryFile : public CoreTest {};

TEST_F(HistoryFile, MissingFileShowsReadErrorAndFails) {
    EXPECT_EQ(LoadHistoryText((folder_ / "absent.txt").string().c_str()), 0);
    ASSERT_EQ(ShownMessageBoxes().size(), 1u);
    const ShownMessageBox& shown = ShownMessageBoxes()[0];
    EXPECT_EQ(shown.owner, nullptr);
    EXPECT_EQ(shown.text, "Data Read ERROR");
    EXPECT_EQ(shown.caption, "Dialog");
    EXPECT_EQ(shown.flags, 0x30u);
}

TEST_F(HistoryFile, FolderCannotBeOpenedAsHistory) {
    EXPECT_EQ(LoadHistoryText(folder_.string().c_str()), 0);
    ASSERT_EQ(ShownMessageBoxes().size(), 1u);
    EXPECT_EQ(ShownMessageBoxes()[0].text, "Data Read ERROR");
}

TEST_F(HistoryFile, MarkerMustStandInTheFirst255CharactersOfLineOne) {
    const std::string wrong = "Error: Wrong File.\nThis file is not data.txt";
    struct Case {
        std::string bytes;
        int expected;
    } cases[] = {
        {"", 0},                                    // empty file: no line to search
        {"kivo\n1 2 3 4 5 6 7\nEND\n", 0},          // case matters
        {"\nKIVO\nEND\n", 0},                       // only line 1 counts
        {std::string(251, '.') + "KIVO\nEND\n", 1}, // ends at character 255
        {std::string(252, '.') + "KIVO\nEND\n", 0}, // ends at character 256
        {"KI\0VO\nEND\n"s, 0},                      // NUL ends the line's text
        {"KIVO", 1},                                // no newline, no data
    };
    for (const Case& c : cases) {
        ShownMessageBoxes().clear();
        ResetState();
        EXPECT_EQ(LoadBytes(c.bytes), c.expected) << c.bytes;
        if (c.expected == 0) {
            ASSERT_EQ(ShownMessageBoxes().size(), 1u);
            EXPECT_EQ(ShownMessageBoxes()[0].text, wrong);
            EXPECT_EQ(ShownMessageBoxes()[0].caption, "Dialog");
            EXPECT_EQ(ShownMessageBoxes()[0].flags, 0x30u);
        } else {
            EXPECT_TRUE(ShownMessageBoxes().empty());
        }
        EXPECT_EQ(drawCount, 0);
    }
}

TEST_F(HistoryFile, EachFileLeavesItsDraws) {
    const std::vector<int> none = {0, 0, 0, 0, 0, 0, 0};
    const std::vector<int> second = {8, 9, 10, 11, 12, 13, 14};
    // 5 + 4076 + 14 bytes: the CR is the last byte of the first 4096-byte read.
    const std::string padding(4076, ' ');
    struct Case {
        const char* why;
        std::string bytes;
        int draws;
        int row;
        std::vector<int> values;
    } cases[] = {
        {"line 1 is one line however long", "KIVO" + std::string(300, ' ') + "1 2 3 4 5 6 7\nEND\n",
         0, 0, none},
        {"END ends the data", "KIVO\nEND\n1 2 3 4 5 6 7\n", 0, 0, none},
        {"blanks add no value", "KIVO\n1 2 3 4 5 6 7   \n     \n8 9 10 11 12 13 14 \nEND\n", 2, 1,
         second},
        {"no END, no last newline", "KIVO\n1 2 3 4 5 6 7\n8 9 10 11 12 13 14", 2, 1, second},
        {"NUL ends its line's data",
         "KIVO\n1 2 3\0 4 5 END\n4 5 6 7\nEND\n"s,
         1,
         0,
         {1, 2, 3, 4, 5, 6, 7}},
        {"CR LF ends a line", "KIVO\r\n1 2 3 4 5 6 7\r\n8 9 10 11 12 13 14\r\nEND\r\n", 2, 1,
         second},
        {"a CR without LF keeps what follows",
         "KIVO\n1 2 3 4 5 6 \r7\nEND\n",
         1,
         0,
         {1, 2, 3, 4, 5, 6, 7}},
        {"CR and LF pair across reads",
         "KIVO\n" + padding + "1 2 3 4 5 6 7 \r\n8 9 10 11 12 13 14\r\nEND\r\n", 2, 1, second},
        {"Ctrl-Z ends the file",
         "KIVO\n1 2 3 4 5 6 7\n8 9 1\x1a"
         "0 11 12 13 14\nEND\n",
         1,
         1,
         {8, 9, 1, 0, 0, 0, 0}},
        {"Ctrl-Z ends the marker line", "KIVO\x1a\n1 2 3 4 5 6 7\nEND\n", 0, 0, none},
        {"the END line stores nothing", "KIVO\n1 2 3 4 5 6 7\n10 20 END\n21 22 23 24 25 26 27\n", 1,
         1, none},
        {"a draw the END line completed is taken back",
         "KIVO\n1 2 3 4 5 6\n7 END\n",
         0,
         0,
         {1, 2, 3, 4, 5, 6, 0}},
    };
    for (const Case& c : cases) {
        ResetState();
        ASSERT_EQ(LoadBytes(c.bytes), 1) << c.why;
        EXPECT_EQ(drawCount, c.draws) << c.why;
        EXPECT_EQ(mainTotal, 6 * c.draws) << c.why;
        EXPECT_EQ(Row(c.row), c.values) << c.why;
    }
    EXPECT_TRUE(ShownMessageBoxes().empty());
}

TEST_F(HistoryFile, EndWithinAWordEndsTheDataAndAPartialDrawIsNotCounted) {
    ASSERT_EQ(LoadBytes("KIVO\n1 2 3 4 5 6 7 10 20\nWEEKEND\n"), 1);
    EXPECT_EQ(drawCount, 1);
    EXPECT_EQ(Row(1), Values({10, 20, 0, 0, 0, 0, 0}));
    EXPECT_EQ(mainTotal, 6);
    EXPECT_EQ(mainCounts[9], 0);
}

TEST_F(HistoryFile, ValuesFormOneStreamAcrossLines) {
    ASSERT_EQ(LoadBytes("KIVO\n3 11 25 30 38 42 17 1 2 3 4 5 6 7\nEND\n"), 1);
    std::vector<int> firstRow = Row(0), secondRow = Row(1);
    ResetState();
    ASSERT_EQ(LoadBytes("KIVO\n  3   11 25 30\n\n38 42 17\n1 2 3 4 5 6 7\nEND\n"), 1);
    EXPECT_EQ(drawCount, 2);
    EXPECT_EQ(Row(0), firstRow);
    EXPECT_EQ(Row(1), secondRow);
    EXPECT_EQ(Row(0), Values({3, 11, 25, 30, 38, 42, 17}));
    EXPECT_EQ(mainTotal, 12);
    EXPECT_EQ(mainCounts[2], 2); // 3: main number in both draws
    EXPECT_EQ(mainCounts[6], 0); // 7: only a bonus number
    EXPECT_EQ(bonusCounts[6], 1);
    EXPECT_EQ(bonusCounts[16], 1);
}

TEST_F(HistoryFile, TokensConvertAsTheDecimalConversionDoes) {
    ASSERT_EQ(LoadBytes("KIVO\n"
                        "+5 -1 007 abc 12x 3\t5 \t9\n"                     // row 0
                        "0000000000017 99999999999999999999 -99999999999 " // row 1
                        "257 300 4294967297 2147483647\n"
                        "END\n"),
              1);
    EXPECT_EQ(Row(0), Values({5, 255, 7, 0, 12, 3, 9}));
    // Beyond int a value saturates before it is cut to 8 bits.
    EXPECT_EQ(Row(1), Values({17, INT_MAX & 0xFF, 0, 1, 44, 255, 255}));
}

TEST_F(HistoryFile, ValuesOutsideTheNumbersCountInTotalOnly) {
    ASSERT_EQ(LoadBytes("KIVO\n0 44 255 1 2 3 0\n1 2 3 4 5 6 99\nEND\n"), 1);
    EXPECT_EQ(drawCount, 2);
    EXPECT_EQ(mainTotal, 12);
    EXPECT_EQ(mainCounts[0], 2);
    int counted = 0;
    for (int n = 0; n < NUMBER_COUNT; ++n) {
        counted += mainCounts[n] + bonusCounts[n];
    }
    EXPECT_EQ(counted, 9); // 1 2 3 | 1 2 3 4 5 6; no bonus inside 1..43
}

TEST_F(HistoryFile, LongLinesAreReadWhole) {
    // The number 42 straddles the 255th character: it must not become 4 and 2.
    std::string line = std::string(254, ' ') + "42 1 2 3 4 5 6";
    ASSERT_EQ(LoadBytes("KIVO\n" + line + "\n" + std::string(10000, ' ') + "7 8 9 10 11 12 " +
                        std::string(5000, '0') + "13\nEND\n"),
              1);
    EXPECT_EQ(drawCount, 2);
    EXPECT_EQ(Row(0), Values({42, 1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(Row(1), Values({7, 8, 9, 10, 11, 12, 13}));
}

int notesHeard;
void CountNote(const ReadingNote&) {
    ++notesHeard;
}

TEST_F(HistoryFile, ListeningHookChangesNothingLoaded) {
    std::string pastCapacity = "KIVO\n";
    for (int line = 0; line < 260; ++line) {
        pastCapacity += "1 2 3 4 5 6 7\n";
    }
    const std::vector<std::string> files = {
        pastCapacity + "END\n",
        pastCapacity,
        // The 256th draw completes on the END line, which takes it back.
        pastCapacity.substr(0, 5 + 255 * 14) + "8 9 10 11 12 13 14 END\n",
        "KIVO\n1 2 3\t4 5 6 7 8 x9\n1 2\0 3\n4 5 6 7 END 8\n9 10\n"s,
        "KIVO\r\n1 2 3 4 5 6 7\r\n8 9 1\x1a"
        "0 11 12 13 14\nEND\n"s,
        "KIVO\n1 2 3 4 5 6 7 8 9"s,
        "no marker\n1 2 3 4 5 6 7\nEND\n"s,
        ""s,
    };
    for (const std::string& file : files) {
        LoadedTables plain{};
        LoadedTables heard{};
        int answers[2] = {};
        for (LoadedTables* tables : {&plain, &heard}) {
            bool listening = tables == &heard;
            ResetState();
            ShownMessageBoxes().clear();
            notesHeard = 0;
            ReadingHook = listening ? CountNote : nullptr;
            answers[listening ? 1 : 0] = LoadBytes(file);
            ReadingHook = nullptr;
            TakeLoadedTables(*tables);
        }
        EXPECT_EQ(answers[0], answers[1]) << file.substr(0, 60);
        EXPECT_TRUE(SameLoadedTables(plain, heard)) << file.substr(0, 60);
        EXPECT_GT(notesHeard, 0);
        // With a hook the failure goes to it, and no box opens.
        EXPECT_TRUE(ShownMessageBoxes().empty());
    }
}

TEST_F(HistoryFile, HistoryHoldsTheFirst256Draws) {
    std::string oneDrawPerLine = "KIVO\n";
    std::string allOnOneLine = "KIVO\n";
    for (int line = 0; line < 300; ++line) {
        std::string draw;
        for (int position = 0; position < DRAW_SIZE; ++position) {
            draw += std::to_string((line + position) % 43 + 1) + " ";
        }
        oneDrawPerLine += draw + "\n";
        allOnOneLine += draw;
    }
    for (const std::string& bytes : {oneDrawPerLine + "END\n", allOnOneLine + "\nEND\n"}) {
        ResetState();
        ASSERT_EQ(LoadBytes(bytes), 1);
        EXPECT_EQ(drawCount, HISTORY_CAPACITY);
        EXPECT_EQ(mainTotal, 6 * HISTORY_CAPACITY);
        EXPECT_EQ(Row(0), Values({1, 2, 3, 4, 5, 6, 7}));
        EXPECT_EQ(Row(255), Values({41, 42, 43, 1, 2, 3, 4}));
    }
}

TEST_F(HistoryFile, CountersWrapAfter255) {
    std::vector<Draw> draws(256, Draw{1, 2, 3, 4, 5, 6, 43});
    draws[0] = {7, 8, 9, 10, 11, 12, 42};
    ASSERT_EQ(LoadBytes(HistoryText(draws)), 1);
    EXPECT_EQ(mainCounts[0], 255);
    EXPECT_EQ(bonusCounts[42], 255);
    draws[0] = {1, 2, 3, 4, 5, 6, 43};
    ResetState();
    ASSERT_EQ(LoadBytes(HistoryText(draws)), 1);
    EXPECT_EQ(mainCounts[0], 0);
    EXPECT_EQ(bonusCounts[42], 0);
    EXPECT_EQ(mainTotal, 1536);
}

TEST_F(HistoryFile, ResetClearsDataButKeepsOptions) {
    ASSERT_EQ(LoadBytes("KIVO\n1 2 3 4 5 6 7\nEND\n"), 1);
    ParityMode = PARITY_ODD_ONLY;
    excludePrevious = 1;
    DecadeFlags[2] = 1;
    ResetState();
    EXPECT_EQ(Row(0), Values({0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(drawCount, 0);
    EXPECT_EQ(mainTotal, 0);
    EXPECT_EQ(mainCounts[0], 0);
    EXPECT_EQ(ParityMode, PARITY_ODD_ONLY);
    EXPECT_EQ(excludePrevious, 1);
    EXPECT_EQ(DecadeFlags[2], 1);
}

} // namespace
