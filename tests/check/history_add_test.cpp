// Tests of kivo6-check --add: the forms a draw is typed in, the line it adds read back
// by KIVO6 as the latest draw with the file's own line ends, FILE.prev, refusals and a
// failed replacement that leave the file byte for byte, and a file behind a link.
#include "check/history_add.h"

#include "check/history_check.h"
#include "support/core_fixture.h"

namespace {

class HistoryAddTest : public CoreTest {};

TEST_F(HistoryAddTest, ADrawIsTypedAsFixReadsValuesWithAPlusBeforeTheBonus) {
    const std::pair<std::string, std::string> cases[] = {
        {"5 9 17 28 30 37 27", ""},
        {"05,09,17,28,30,37+27", ""},
        {"５　９　１７　２８　３０　３７　＋　２７", ""},
        {"5 9 17 28 30 37 +", "the draw holds 6 numbers; it needs the six main numbers"},
        {"5 9 17 28 30+37 27", "the draw, column 13: a \"+\" goes only once, before the bonus"},
        {"5 9 17 28 30 37 + + 27", "the draw, column 19: a \"+\" goes only once"},
        {"5 9 17 2B 30 37 27", "the draw, column 8: \"2B\" is not a number"},
        // The fault's own words are the file reading's; here, the column of the number.
        {"5 9 17 28 9 37 27", "the draw, column 11: 9 stands twice among the six main numbers"},
    };
    for (const auto& [text, problem] : cases) {
        const DrawToAdd draw = ReadDrawToAdd(text, Language::English);
        EXPECT_EQ(draw.problem.substr(0, problem.size()), problem) << text;
        if (problem.empty()) {
            EXPECT_EQ(draw.numbers, (Draw{5, 9, 17, 28, 30, 37, 27})) << text;
        }
    }
}

TEST_F(HistoryAddTest, TheDrawGoesBeforeEndWithTheFilesLineEndsAndIsReadAsTheLatest) {
    const std::pair<std::string, std::string> cases[] = {
        {"KIVO\n1 2 3 4 5 6 7\nEND\n", "KIVO\n1 2 3 4 5 6 7\n5 9 17 28 30 37 27\nEND\n"},
        {"KIVO mine\r\n\r\n1 2 3 4 5 6 7\r\n8 9 10 11 12 13 14\r\n END \r\n\x1a",
         "KIVO mine\r\n\r\n1 2 3 4 5 6 7\r\n8 9 10 11 12 13 14\r\n5 9 17 28 30 37 27\r\n"
         " END \r\n\x1a"},
    };
    for (const auto& [before, after] : cases) {
        const std::filesystem::path file = WriteHistory(before);
        const AddOutcome outcome =
            AddDraw(file.string(), "5 9 17 28 30 37 + 27", Language::English);
        EXPECT_EQ(outcome.status, 0) << outcome.text;
        EXPECT_EQ(FileBytes(file), after);
        EXPECT_EQ(FileBytes(file.string() + ".prev"), before);
        const HistoryCheck check = CheckHistoryFile(file.string().c_str());
        EXPECT_EQ(CheckExitStatus(check), 0);
        EXPECT_EQ(check.latest, (std::array<int, 7>{5, 9, 17, 28, 30, 37, 27}));
    }
    EXPECT_EQ(FormatDrawAdded({5, 9, 17, 28, 30, 37, 27}, 1566, "d.prev", Language::English),
              "Added 05 09 17 28 30 37 + 27 as draw 1,566 of the file; KIVO6 uses the newest 256 "
              "and lists this one as No.256.\nThe file as it was is kept as d.prev.\n");
}

TEST_F(HistoryAddTest, ARefusalLeavesTheFileAsItWas) {
    struct Case {
        std::string before;
        std::string draw;
        int status;
        std::string message; // its start; {0} is the file, {1} as a command names it
    };
    const Case cases[] = {
        {"KIVO\n1 2 3 4 5 6 7\nEND\n", "1 2 3 4 5 6", 64, "the draw holds 6 numbers"},
        {"KIVO\n1 2 3 4 5 6 7\nEND\nnotes\n", "5 9 17 28 30 37 27", 2,
         "{0}:4:1: warning: the data ended with END on line 3: this and all that follows is not "
         "read\n{0}: nothing was added; mend the file with kivo6-check --fix {1}, then"},
        {"KIVO\n1 2 3 4 5 6 7\nEND\n", "6 5 4 3 2 1 7", 2,
         "{0}:2: error: 06 05 04 03 02 01 + 07 is already the latest draw; nothing was added"},
    };
    for (const Case& c : cases) {
        const std::string file = WriteHistory(c.before).string();
        const AddOutcome outcome = AddDraw(file, c.draw, Language::English);
        EXPECT_EQ(outcome.status, c.status);
        const std::string message = Fill(c.message, {file, CommandWord(file)});
        EXPECT_EQ(outcome.text.substr(0, message.size()), message);
        EXPECT_EQ(FileBytes(file), c.before);
        EXPECT_FALSE(std::filesystem::exists(file + ".prev"));
    }
}

TEST_F(HistoryAddTest, AFailedReplacementLeavesTheFileAsItWas) {
    const std::string before = "KIVO\n1 2 3 4 5 6 7\nEND\n";
    const std::filesystem::path file = WriteHistory(before);
    // The first replacement keeps data.txt.prev; the second, of data.txt, fails.
    static int replacements = 0;
    ReplaceFileContentsBeforeRename = [](const char*) { return ++replacements == 1; };
    const AddOutcome outcome = AddDraw(file.string(), "5 9 17 28 30 37 27", Language::English);
    ReplaceFileContentsBeforeRename = nullptr;
    EXPECT_EQ(outcome.status, 2);
    EXPECT_NE(outcome.text.find("the file is as it was"), std::string::npos) << outcome.text;
    EXPECT_EQ(FileBytes(file), before);
}

} // namespace
