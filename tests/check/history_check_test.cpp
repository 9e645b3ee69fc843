// Tests of the file check: a table of small histories that each hold one kind of
// fault, which must give that finding alone, at its line and column, with the exit
// status it earns; what the findings carry; KIVO6's own messages for a refused file;
// and the summary the report ends with.
#include "check/history_check.h"

#include "history/state.h"
#include "support/core_fixture.h"
#include "support/program_start.h"

#include <string>
#include <vector>

using namespace std::string_literals;

namespace {

struct Place {
    FindingKind kind;
    int line;
    int column;
    bool operator==(const Place&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Place& place) {
    return out << "{kind " << static_cast<int>(place.kind) << ", " << place.line << ":"
               << place.column << "}";
}

std::vector<Place> Places(const HistoryCheck& check) {
    std::vector<Place> places;
    for (const Finding& finding : check.findings) {
        places.push_back({finding.kind, finding.line, finding.column});
    }
    return places;
}

std::string OneDrawPerLine(int draws) {
    std::string text = "KIVO\n";
    for (int draw = 0; draw < draws; ++draw) {
        text += std::to_string(draw % 37 + 1) + " 39 40 41 42 43 38\n";
    }
    return text;
}

class HistoryCheckTest : public CoreTest {
  protected:
    HistoryCheck Check(std::string_view bytes) {
        return CheckHistoryFile(WriteHistory(bytes).string().c_str());
    }
};

TEST_F(HistoryCheckTest, EachKindOfFaultIsFoundAloneAtItsLineAndColumn) {
    struct Case {
        const char* what;
        std::string text;
        std::vector<Place> expected;
        int status;
    };
    using K = FindingKind;
    const std::vector<Case> cases = {
        // CR LF, blank lines, spaces, and a Ctrl-Z after END (an old editor's end of
        // file) are all as KIVO6 means them.
        {"clean", "KIVO\r\n\r\n  1  2 3 4 5 6 7 \r\n8 9 10 11 12 13 14\r\nEND\r\n\x1a"s, {}, 0},
        {"no marker", "KIV0 history\n1 2 3 4 5 6 7\nEND\n"s, {{K::NoMarker, 1, 1}}, 2},
        {"a tab splits 3 from 4", "KIVO\n1 2 3\t4 5 6 7 8\nEND\n"s, {{K::NumberSplit, 2, 6}}, 1},
        {"x ends 17", "KIVO\n1 2 3 4 5 6 17x8\nEND\n"s, {{K::CharacterSwallows, 2, 15}}, 1},
        {"a word", "KIVO\n1 2 abc 4 5 6 7\nEND\n"s, {{K::ReadAsZero, 2, 5}}, 1},
        {"44", "KIVO\n1 2 3 4 5 44 7\nEND\n"s, {{K::OutOfRange, 2, 11}}, 1},
        {"2 twice", "KIVO\n1 2 3 4 2 6 7\nEND\n"s, {{K::RepeatedInDraw, 2, 9}}, 1},
        {"bonus 3 is a main number", "KIVO\n1 2 3 4 5 6 3\nEND\n"s, {{K::BonusIsMain, 2, 13}}, 1},
        {"a draw on two lines", "KIVO\n1 2 3 4\n5 6 7\nEND\n"s, {{K::DrawSplit, 2, 1}}, 1},
        {"two values left over",
         "KIVO\n1 2 3 4 5 6 7\n8 9\nEND\n"s,
         {{K::IncompleteLastDraw, 3, 1}},
         1},
        {"draw 257 on", OneDrawPerLine(258) + "END\n", {{K::BeyondCapacity, 258, 1}}, 1},
        {"a NUL", "KIVO\n1 2 3 4 5 6 7\0 8\nEND\n"s, {{K::NulInLine, 2, 14}}, 1},
        {"numbers before END", "KIVO\n1 2 3 4 5 6 7\n8 9 END\n"s, {{K::ValuesOnEndLine, 3, 1}}, 1},
        {"text after END", "KIVO\n1 2 3 4 5 6 7\nEND\n\n  8 9\n"s, {{K::TextAfterEnd, 5, 3}}, 1},
        {"no END", "KIVO\n1 2 3 4 5 6 7\n"s, {{K::NoEnd, 3, 1}}, 1},
        {"a Ctrl-Z before END",
         "KIVO\n1 2 3 4 5 6 7\n\x1a"
         "8 9 10 11 12 13 14\nEND\n"s,
         {{K::CtrlZ, 3, 1}},
         1},
        {"256 characters",
         "KIVO\n" + std::string(243, ' ') + "1 2 3 4 5 6 7\nEND\n",
         {{K::LongLine, 2, 256}},
         1},
        {"nothing but END", "KIVO\nEND\n"s, {{K::NoDraws, 0, 0}}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResetToProgramStart();
        HistoryCheck check = Check(c.text);
        EXPECT_EQ(Places(check), c.expected);
        EXPECT_EQ(CheckExitStatus(check), c.status);
        EXPECT_EQ(check.starts, c.status != 2);
    }
}

TEST_F(HistoryCheckTest, FindingsCarryWhatTheReaderMadeOfTheText) {
    HistoryCheck check = Check("KIVO\n1 2 3\t9 5 6 300 8 10\n11 12 13 14 15 11\n"
                               "8 9 10 11 12 13 14 15 16 END\n");
    ASSERT_EQ(Places(check), (std::vector<Place>{{FindingKind::NumberSplit, 2, 6},
                                                 {FindingKind::OutOfRange, 2, 13},
                                                 {FindingKind::DrawSplit, 2, 19},
                                                 {FindingKind::BonusIsMain, 3, 16},
                                                 {FindingKind::ValuesOnEndLine, 4, 1}}));
    EXPECT_EQ(check.findings[0].character, '\t');
    EXPECT_EQ(check.findings[0].value, 3);
    // 300 keeps its low 8 bits: 44, which names no number either.
    EXPECT_EQ(check.findings[1].value, 300);
    EXPECT_EQ(check.findings[1].stored, 44);
    EXPECT_EQ(check.findings[2].draw, 2);
    EXPECT_EQ(check.findings[2].otherLine, 3);
    EXPECT_EQ(check.findings[3].stored, 11);
    EXPECT_EQ((std::pair{check.findings[3].otherLine, check.findings[3].otherColumn}),
              (std::pair{3, 1}));
    EXPECT_EQ(check.findings[4].count, 9);
    // The check leaves loaded the history KIVO6 loads.
    EXPECT_EQ(check.draws, 2);
    EXPECT_EQ(drawCount, 2);
    EXPECT_EQ(check.latest, (std::array<int, 7>{10, 11, 12, 13, 14, 15, 11}));

    // Past the capacity the oldest 256 draws stay; the 44 draws after them are counted.
    ResetToProgramStart();
    check = Check(OneDrawPerLine(300) + "END\n");
    ASSERT_EQ(check.findings.size(), 1u);
    EXPECT_EQ(check.findings[0].count, 44 * 7);
    EXPECT_EQ(check.draws, 256);
    EXPECT_EQ(check.lastDrawLine, 257);
    EXPECT_EQ(check.endLine, 302);
}

TEST_F(HistoryCheckTest, RefusedFilesGiveKivo6sOwnMessagesAndShowNoBox) {
    HistoryCheck check = Check("KIV0 history\n1 2 3 4 5 6 7\nEND\n");
    EXPECT_EQ(check.shownMessages,
              (std::vector<std::string>{"Error: Wrong File.\nThis file is not data.txt",
                                        "ERROR ReadData"}));
    check = CheckHistoryFile((folder_ / "absent.txt").string().c_str());
    EXPECT_FALSE(check.starts);
    EXPECT_EQ(CheckExitStatus(check), 2);
    EXPECT_EQ(Places(check), (std::vector<Place>{{FindingKind::CannotOpen, 0, 0}}));
    EXPECT_EQ(check.shownMessages, (std::vector<std::string>{"Data Read ERROR", "ERROR ReadData"}));
    EXPECT_TRUE(ShownMessageBoxes().empty());
}

TEST_F(HistoryCheckTest, ReportSumsUpAndCountsWhatItDoesNotList) {
    HistoryCheck check = Check("KIVO\n1 2 3 4 5 6 7\n\n9 10 11 12 13 14 15\nEND\n");
    std::string english = FormatHistoryCheck("my.txt", check, Language::English);
    EXPECT_NE(english.find("2 draws read, from line 2 to line 4"), std::string::npos) << english;
    EXPECT_NE(english.find("(line 4): 09 10 11 12 13 14, bonus 15"), std::string::npos) << english;
    EXPECT_NE(english.find("END on line 5"), std::string::npos) << english;
    std::string japanese = FormatHistoryCheck("my.txt", check, Language::Japanese);
    EXPECT_NE(japanese.find("09 10 11 12 13 14、ボーナス 15"), std::string::npos) << japanese;

    // One value missing early shifts every later draw over two lines: ten are listed
    // and the other twenty counted.
    ResetToProgramStart();
    std::string shifted = "KIVO\n1 2 3 4 5 6\n";
    for (int line = 0; line < 30; ++line) {
        shifted += "1 2 3 4 5 6 7\n";
    }
    check = Check(shifted + "END\n");
    english = FormatHistoryCheck("data.txt", check, Language::English);
    std::size_t listed = 0;
    for (std::size_t at = english.find(": warning: draw "); at != std::string::npos;
         at = english.find(": warning: draw ", at + 1)) {
        ++listed;
    }
    EXPECT_EQ(listed, 10u) << english;
    EXPECT_NE(english.find("data.txt: 20 more like the one at line 2 are not listed"),
              std::string::npos)
        << english;
}

} // namespace
