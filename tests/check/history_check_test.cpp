// Tests of the file check: one small history per kind of finding, each of which must
// give that finding alone, in the words and at the line and column a user reads, with
// the exit status it earns; a clean file's summary; and the cap on listed findings.
#include "check/history_check.h"

#include "support/core_fixture.h"

#include <string>
#include <utility>
#include <vector>

using namespace std::string_literals;

namespace {

std::string Repeated(int times, const std::string& line) {
    std::string text;
    for (int i = 0; i < times; ++i) {
        text += line;
    }
    return text;
}

class HistoryCheckTest : public CoreTest {
  protected:
    // The report on `bytes` as file "f", and the exit status; no file at all when the
    // bytes are empty, and the test's folder when they are "/".
    std::pair<std::string, int> Report(const std::string& bytes) {
        const std::string path = bytes.empty()  ? (folder_ / "absent.txt").string()
                                 : bytes == "/" ? folder_.string()
                                                : WriteHistory(bytes).string();
        const HistoryCheck check = CheckHistoryFile(path.c_str());
        return {FormatHistoryCheck("f", check, Language::English), CheckExitStatus(check)};
    }
    // The report's first block line by line, without the file's causes and the command
    // that mends them: the findings.
    static std::string Findings(const std::string& report) {
        std::string findings;
        const std::string block = report.substr(0, report.find("\n\n")) + "\n";
        for (std::size_t at = 0, end; (end = block.find('\n', at)) != std::string::npos;
             at = end + 1) {
            const std::string line = block.substr(at, end - at);
            if (line.rfind("f: cause: ", 0) != 0 && line.rfind("f: to mend", 0) != 0) {
                findings += (findings.empty() ? "" : "\n") + line;
            }
        }
        return findings;
    }
};

TEST_F(HistoryCheckTest, EachKindOfFindingAloneInItsWordsAtItsLineAndColumn) {
    struct Case {
        std::string text;
        std::string listed; // the report up to its first blank line: the findings
    };
    const Case cases[] = {
        // CR LF, blank lines, spaces, and a Ctrl-Z after END (an old editor's end of
        // file) are all as KIVO6 means them: the report is the summary alone.
        {"KIVO\r\n\r\n  1  2 3 4 5 6 7 \r\n8 9 10 11 12 13 14\r\nEND\r\n\x1a"s,
         "f: 2 draws read, from line 3 to line 4; the data ends with END on line 5.\n"
         "Latest draw, as KIVO6 uses it (line 4): 08 09 10 11 12 13, bonus 14\n"
         "KIVO6 would start with this file. No problems found.\n"},
        {"", "f: error: there is no file by this name"},
        {"/", "f: error: this is a folder, not a file"},
        {"KIV0 history\n1 2 3 4 5 6 7\nEND\n",
         "f:1:1: error: line 1 has no \"KIVO\" in its first 255 characters, so this is not "
         "a KIVO6 history"},
        {"KIVO\n1 2 3\t4 5 6 7 8\nEND\n",
         "f:2:6: warning: a tab is not a separator: KIVO6 reads 3 and skips the rest up to "
         "the next space"},
        {"KIVO\n1 2 3 4 5 6 17x8\nEND\n",
         "f:2:15: warning: \"x\" ends the number 17: the rest up to the next space is skipped"},
        {"KIVO\n1 2 abc 4 5 6 7\nEND\n",
         "f:2:5: warning: \"a\" does not start a number: KIVO6 reads this as the value 0"},
        // Columns count characters: UTF-8 where the file is UTF-8, else code page 932.
        {"KIVO\n1 2 3 4 5 6 ７\nEND\n",
         "f:2:13: warning: \"７\" (U+FF17, a full-width digit, which KIVO6 does not read) does "
         "not start a number: KIVO6 reads this as the value 0"},
        {"KIVO\n1 2 3 4 5 \x91\xE6 \x82\x56\nEND\n",
         "f:2:11: warning: \"第\" (0x91E6) does not start a number: KIVO6 reads this as the "
         "value 0\n"
         "f:2:13: warning: \"７\" (0x8256, a full-width digit, which KIVO6 does not read) does "
         "not start a number: KIVO6 reads this as the value 0"},
        // 300 keeps its low 8 bits: 44, which names no number either.
        {"KIVO\n1 2 3 4 5 300 7\nEND\n",
         "f:2:11: warning: 300 is outside 1 to 43: KIVO6 keeps it as 44 and counts it for no "
         "number"},
        {"KIVO\n1 2 3 4 2 6 7\nEND\n",
         "f:2:9: warning: 2 stands twice in draw 1 (also at line 2, column 3)"},
        {"KIVO\n1 2 3 4 5 6 3\nEND\n",
         "f:2:13: warning: the bonus number 3 of draw 1 is also one of its main numbers (line "
         "2, column 5)"},
        {"KIVO\n1 2 3 4\n5 6 7\nEND\n",
         "f:2:1: warning: draw 1 starts here and ends on line 3: KIVO6 takes every seven "
         "values as a draw, whatever the lines"},
        {"KIVO\n1 2 3 4 5 6 7\n8 9\nEND\n",
         "f:3:1: warning: the last 2 values, from here on, do not make a whole draw of seven: "
         "KIVO6 leaves them out"},
        // Only a note: a long file is the whole record, and its exit status stays 0. Draws
        // are named by their place in the file.
        {"KIVO\n" + Repeated(1300, "1 2 3 4 5 6 7\n") + "1 2 3 4 5 6 3\nEND\n",
         "f:1047:1: note: KIVO6 uses the newest 256 of 1,301 draws, from this one on\n"
         "f:1302:13: warning: the bonus number 3 of draw 1,301 is also one of its main numbers "
         "(line 1302, column 5)"},
        {"KIVO\n" + std::string(4 << 20, ' '),
         "f: error: the file holds more than 4,194,304 bytes, more than kivo6-check reads "
         "(KIVO6 itself reads it, and uses its newest 256 draws)"},
        {"KIVO\n1 2 3 4 5 6 7\0 8\nEND\n"s,
         "f:2:14: warning: a NUL character: the rest of this line is not read"},
        {"KIVO\n1 2 3 4 5 6 7\n8 9 END\n",
         "f:3:1: warning: this line holds END, which ends the data: its 2 numbers are not read"},
        {"KIVO\n1 2 3 4 5 6 7 " + Repeated(85, "第") + "\nEND\n",
         "f:2:15: warning: \"第\" (U+7B2C) does not start a number: KIVO6 reads this as the value "
         "0\n"
         "f:2:15: warning: the last value, here, does not make a whole draw of seven: KIVO6 leaves "
         "it out\n"
         "f:2:95: warning: the line goes on past 255 bytes (a character outside ASCII takes two or "
         "more), longer than a data line may be"},
        {"KIVO\n1 2 3 4 5 6 7\nEND\n\n  8 9\n",
         "f:5:3: warning: the data ended with END on line 3: this and all that follows is not "
         "read"},
        {"KIVO\n1 2 3 4 5 6 7\n", "f:3:1: warning: the file ends without an END line"},
        {"KIVO\n1 2 3 4 5 6 7\n\x1a"
         "8 9 10 11 12 13 14\nEND\n",
         "f:3:1: warning: a Ctrl-Z (0x1A) ends the file for KIVO6: nothing after it is read"},
        {"KIVO\n" + std::string(243, ' ') + "1 2 3 4 5 6 7\nEND\n",
         "f:2:256: warning: the line goes on past 255 characters, longer than a data line "
         "may be"},
        {"KIVO\nEND\n",
         "f: warning: the file holds no complete draw: every share will be 0 and every "
         "suggestion pure chance"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.listed);
        const auto [report, status] = Report(c.text);
        EXPECT_EQ(Findings(report), c.listed);
        // 2 when KIVO6 refuses the file, 1 when it reads it with warnings, 0 when clean.
        const bool refused = c.listed.find(": error: ") != std::string::npos;
        const bool warned = c.listed.find(": warning: ") != std::string::npos;
        EXPECT_EQ(status, refused ? 2 : warned ? 1 : 0);
    }
    EXPECT_TRUE(ShownFailures().empty()) << "a refused file was shown as the program shows it";
}

// Each cause once, in the order a user mends them; a draw number and a date on every
// line are one cause. The words of a cause are the report's: only the separator's own
// name is filled in.
TEST(HistoryCheckCauses, EachShapeNamesItsCauseOnce) {
    using C = ShapeCause;
    using E = TextEncoding;
    const std::pair<HistoryShape, std::vector<ShapeCause>> cases[] = {
        // KIVO6's own code page, and a byte order mark before "KIVO", are no cause.
        {{.encoding = E::CodePage932, .byteOrderMark = true}, {}},
        {{.encoding = E::Utf16BigEndian}, {C::Utf16}},
        {{.noMarkerLine = true}, {C::FirstLineIsADraw}},
        // An export's header row is what stands where the marker should.
        {{.headerRow = true, .lowercaseMarker = true, .noMarkerLine = true},
         {C::LowercaseMarker, C::HeaderRow}},
        {{.separator = ';', .drawNumbers = true}, {C::Separator, C::DrawNumbers}},
        {{.dates = true, .fullWidth = true}, {C::Dates, C::FullWidth}},
        {{.drawNumbers = true, .dates = true}, {C::DrawNumbersAndDates}},
        {{.newestFirst = true, .lowercaseEnd = true}, {C::LowercaseEnd, C::NewestFirst}},
    };
    for (const auto& [shape, expected] : cases) {
        EXPECT_EQ(CausesOf(shape), expected);
    }
    EXPECT_EQ(ShapeCauses({.separator = ';'}, Language::English),
              std::vector<std::string>{
                  "values are separated by semicolons: KIVO6 separates values by spaces only, so "
                  "each semicolon ends a number and the rest up to the next space is lost"});
    EXPECT_EQ(
        ShapeCauses({.separator = '\t'}, Language::Japanese),
        std::vector<std::string>{"値がタブで区切られています。KIVO6 の区切りはスペースだけなので、"
                                 "タブで数値が終わり、次のスペースまでの残りは読まれません"});
}

TEST(HistoryCheckCauses, ComeFirstWithTheMendingCommandAndCutTheFindingsTheyExplain) {
    HistoryCheck check;
    check.starts = true;
    check.meant.shape.separator = ',';
    check.meant.refusal = FixRefusal::None;
    for (int line = 2; line <= 5; ++line) {
        check.findings.push_back({.kind = FindingKind::NulInLine, .line = line, .column = 1});
    }
    EXPECT_EQ(FormatHistoryCheck("f", check, Language::English),
              "f: cause: values are separated by commas: KIVO6 separates values by spaces only, so "
              "each comma ends a number and the rest up to the next space is lost\n"
              "f: to mend it: kivo6-check --fix f --output data.txt\n"
              "f:2:1: warning: a NUL character: the rest of this line is not read\n"
              "f:3:1: warning: a NUL character: the rest of this line is not read\n"
              "f:4:1: warning: a NUL character: the rest of this line is not read\n"
              "f: and 1 more like the one at line 2, not listed\n\n"
              "f: no draws read; the data ends with the file.\n"
              "KIVO6 would start with this file, but reads it with 4 warnings: the 3 listed above, "
              "and 1 more only counted there.\n");
    check.findings.clear();
    check.meant.refusal = FixRefusal::NotADraw;
    // No findings: the summary says what the cause means, without a command to mend it.
    const std::string report = FormatHistoryCheck("f", check, Language::English);
    EXPECT_EQ(report.substr(report.find(" lost\n")),
              " lost\n\nf: no draws read; the data ends with the file.\nKIVO6 would start with "
              "this file and reads each value as written, but not as the file means it: see "
              "above.\n");
    EXPECT_EQ(CheckExitStatus(check), 1);
}

} // namespace
