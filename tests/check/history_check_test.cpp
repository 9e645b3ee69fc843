// Tests of the file check: small histories that each hold one fault must give that
// finding alone, at its line and column; a clean file none; a refused file KIVO6's
// own messages. The texts are checked for what they carry, in both languages.
#include "check/history_check.h"

#include "history/history_file.h"
#include "history/state.h"
#include "support/core_fixture.h"
#include "support/program_start.h"

#include <string>
#include <tuple>
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

TEST_F(HistoryCheckTest, CleanFilesPassWithTheirLatestDraw) {
    for (const std::string& text :
         {"KIVO6 history\n1 2 3 4 5 6 7\n8 9 10 11 12 13 14\nEND\n"s,
          "KIVO\r\n1 2 3 4 5 6 7\r\n8 9 10 11 12 13 14\r\nEND\r\n"s,
          // Blank lines and spaces add nothing; a Ctrl-Z after END
          // is an old editor's end of file.
          "KIVO\n\n  1  2 3 4 5 6 7\n8 9 10 11 12 13 14 \nEND\n\n \x1a"s}) {
        HistoryCheck check = Check(text);
        EXPECT_TRUE(check.starts);
        EXPECT_EQ(Places(check), std::vector<Place>{}) << text;
        EXPECT_EQ(CheckExitStatus(check), 0);
        EXPECT_EQ(check.draws, 2);
        EXPECT_EQ(check.latest, (std::array<int, 7>{8, 9, 10, 11, 12, 13, 14}));
        EXPECT_EQ(check.lastDrawLine, check.endLine - 1);
    }
    EXPECT_TRUE(ShownMessageBoxes().empty());
}

TEST_F(HistoryCheckTest, EachFaultIsFoundAloneAtItsLineAndColumn) {
    const std::string longLine = std::string(250, ' ') + "1 2 3 4 5 6 7";
    const std::vector<std::tuple<const char*, std::string, Place>> cases = {
        {"a tab splits 3 from 4",
         "KIVO\n1 2 3\t4 5 6 7 8\nEND\n"s,
         {FindingKind::NumberSplit, 2, 6}},
        {"a lone CR splits too",
         "KIVO\n1 2 3\r4 5 6 7 8\nEND\n"s,
         {FindingKind::NumberSplit, 2, 6}},
        {"x swallows the rest",
         "KIVO\n1 2 3 4 5 6 17x8\nEND\n"s,
         {FindingKind::CharacterSwallows, 2, 15}},
        {"a comma swallows",
         "KIVO\n1,2 3 4 5 6 7 8\nEND\n"s,
         {FindingKind::CharacterSwallows, 2, 2}},
        {"a word reads as 0", "KIVO\n1 2 abc 4 5 6 7\nEND\n"s, {FindingKind::ReadAsZero, 2, 5}},
        {"a sign alone reads as 0", "KIVO\n1 2 - 4 5 6 7\nEND\n"s, {FindingKind::ReadAsZero, 2, 5}},
        {"a tab between spaces reads as 0",
         "KIVO\n1 2 3 4 5 \t 7\nEND\n"s,
         {FindingKind::ReadAsZero, 2, 11}},
        {"44 is out of range", "KIVO\n1 2 3 4 5 44 7\nEND\n"s, {FindingKind::OutOfRange, 2, 11}},
        {"a written 0 is out of range",
         "KIVO\n1 2 3 4 5 6 0\nEND\n"s,
         {FindingKind::OutOfRange, 2, 13}},
        {"2 twice", "KIVO\n1 2 3 4 2 6 7\nEND\n"s, {FindingKind::RepeatedInDraw, 2, 9}},
        {"bonus among the main numbers",
         "KIVO\n1 2 3 4 5 6 3\nEND\n"s,
         {FindingKind::BonusIsMain, 2, 13}},
        {"a draw over two lines", "KIVO\n1 2 3 4\n5 6 7\nEND\n"s, {FindingKind::DrawSplit, 2, 1}},
        {"two values left over",
         "KIVO\n1 2 3 4 5 6 7\n8 9\nEND\n"s,
         {FindingKind::IncompleteLastDraw, 3, 1}},
        {"numbers before END",
         "KIVO\n1 2 3 4 5 6 7\n8 9 END\n"s,
         {FindingKind::ValuesOnEndLine, 3, 1}},
        {"text after END",
         "KIVO\n1 2 3 4 5 6 7\nEND\n\n  8 9\n"s,
         {FindingKind::TextAfterEnd, 5, 3}},
        {"no END", "KIVO\n1 2 3 4 5 6 7\n"s, {FindingKind::NoEnd, 3, 1}},
        {"no END, no last newline", "KIVO\n1 2 3 4 5 6 7"s, {FindingKind::NoEnd, 2, 14}},
        {"a line past 255 characters",
         "KIVO\n" + longLine + "\nEND\n",
         {FindingKind::LongLine, 2, 256}},
        {"a NUL hides the rest of its line",
         "KIVO\n1 2 3 4 5 6 7\0 8\nEND\n"s,
         {FindingKind::NulInLine, 2, 14}},
        {"a Ctrl-Z hides the rest",
         "KIVO\n1 2 3 4 5 6 7\n\x1a"
         "8 9 10 11 12 13 14\nEND\n"s,
         {FindingKind::CtrlZ, 3, 1}},
        {"nothing but END", "KIVO\nEND\n"s, {FindingKind::NoDraws, 0, 0}},
        {"draw 257 on", OneDrawPerLine(258) + "END\n", {FindingKind::BeyondCapacity, 258, 1}},
    };
    for (const auto& [what, text, place] : cases) {
        ResetToProgramStart();
        HistoryCheck check = Check(text);
        EXPECT_TRUE(check.starts) << what;
        EXPECT_EQ(Places(check), std::vector<Place>{place}) << what;
        EXPECT_EQ(CheckExitStatus(check), 1) << what;
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
    EXPECT_EQ(check.findings[1].stored, 300 & 0xFF);
    EXPECT_EQ(check.findings[2].draw, 2);
    EXPECT_EQ(check.findings[2].otherLine, 3);
    EXPECT_EQ(check.findings[3].stored, 11);
    EXPECT_EQ((std::pair{check.findings[3].otherLine, check.findings[3].otherColumn}),
              (std::pair{3, 1}));
    EXPECT_EQ(check.findings[4].count, 9);
    // The check sees the history KIVO6 loads.
    EXPECT_EQ(check.draws, drawCount);
    EXPECT_EQ(check.draws, 2);
    EXPECT_EQ(check.latest, (std::array<int, 7>{10, 11, 12, 13, 14, 15, 11}));
    EXPECT_EQ(DrawHistory[0][5], 300 & 0xFF);
}

TEST_F(HistoryCheckTest, PastTheCapacityTheOldestDrawsStay) {
    HistoryCheck check = Check(OneDrawPerLine(300) + "END\n");
    ASSERT_EQ(Places(check), (std::vector<Place>{{FindingKind::BeyondCapacity, 258, 1}}));
    EXPECT_EQ(check.findings[0].count, 44 * 7);
    EXPECT_EQ(check.draws, 256);
    EXPECT_EQ(check.lastDrawLine, 257);
    EXPECT_EQ(check.endLine, 302);
    // Without END the file's real end is reported, though KIVO6 stops at draw 256.
    ResetToProgramStart();
    check = Check(OneDrawPerLine(257));
    EXPECT_EQ(Places(check), (std::vector<Place>{{FindingKind::BeyondCapacity, 258, 1},
                                                 {FindingKind::NoEnd, 259, 1}}));
}

TEST_F(HistoryCheckTest, RefusedFilesGiveKivo6sOwnMessages) {
    // What KIVO6 itself shows for each, recorded from the plain reader.
    ASSERT_EQ(LoadBytes("KIV0 history\n1 2 3 4 5 6 7\nEND\n"), 0);
    ASSERT_EQ(ShownMessageBoxes().size(), 1u);
    const std::string wrongFile = ShownMessageBoxes()[0].text;
    ShownMessageBoxes().clear();
    ASSERT_EQ(LoadHistoryText((folder_ / "absent.txt").string().c_str()), 0);
    const std::string unreadable = ShownMessageBoxes()[0].text;
    ShownMessageBoxes().clear();

    HistoryCheck check = Check("KIV0 history\n1 2 3 4 5 6 7\nEND\n");
    EXPECT_FALSE(check.starts);
    EXPECT_EQ(CheckExitStatus(check), 2);
    EXPECT_EQ(Places(check), (std::vector<Place>{{FindingKind::NoMarker, 1, 1}}));
    EXPECT_EQ(check.shownMessages, (std::vector<std::string>{wrongFile, "ERROR ReadData"}));

    for (const std::string& text : {""s, "\n"s, std::string(255, 'x') + "KIVO\n"}) {
        check = Check(text);
        EXPECT_EQ(CheckExitStatus(check), 2);
        EXPECT_EQ(check.shownMessages.at(0), wrongFile);
    }
    check = CheckHistoryFile((folder_ / "absent.txt").string().c_str());
    EXPECT_EQ(CheckExitStatus(check), 2);
    EXPECT_EQ(Places(check), (std::vector<Place>{{FindingKind::CannotOpen, 0, 0}}));
    EXPECT_EQ(check.shownMessages.at(0), unreadable);
    // A command-line program shows no box.
    EXPECT_TRUE(ShownMessageBoxes().empty());
}

TEST_F(HistoryCheckTest, ReportNamesEachPlaceAndSumsUp) {
    HistoryCheck check = Check("KIVO\n1 2 3\t4 5 6 7 8\n9 10 11 12 13 14 15\nEND\n");
    std::string english = FormatHistoryCheck("my.txt", check, Language::English);
    EXPECT_EQ(english.rfind("my.txt:2:6: warning: a tab ", 0), 0u) << english;
    EXPECT_NE(english.find("KIVO6 reads 3"), std::string::npos) << english;
    EXPECT_NE(english.find("2 draws read, from line 2 to line 3"), std::string::npos) << english;
    EXPECT_NE(english.find("(line 3): 09 10 11 12 13 14, bonus 15"), std::string::npos) << english;
    EXPECT_NE(english.find("END on line 4"), std::string::npos) << english;

    std::string japanese = FormatHistoryCheck("my.txt", check, Language::Japanese);
    EXPECT_EQ(japanese.rfind("my.txt:2:6: 警告: タブは区切りになりません", 0), 0u) << japanese;
    EXPECT_NE(japanese.find("09 10 11 12 13 14、ボーナス 15"), std::string::npos) << japanese;

    // One value missing early shifts every later draw over two lines: ten are listed
    // and the rest counted.
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

TEST_F(HistoryCheckTest, RefusalReportQuotesEveryBoxKivo6Shows) {
    HistoryCheck check = Check("no marker\n");
    std::string english = FormatHistoryCheck("data.txt", check, Language::English);
    EXPECT_EQ(english.rfind("data.txt:1:1: error: ", 0), 0u) << english;
    // Each box's text, each of its lines indented.
    EXPECT_NE(
        english.find("\n  Error: Wrong File.\n  This file is not data.txt\n  ERROR ReadData\n"),
        std::string::npos)
        << english;
    std::string japanese = FormatHistoryCheck("data.txt", check, Language::Japanese);
    EXPECT_NE(japanese.find("エラー"), std::string::npos);
    EXPECT_NE(japanese.find("  ERROR ReadData\n"), std::string::npos);
}

} // namespace
