// The share table and the recent-draw list, byte for byte in code page 932.
#include "support/core_fixture.h"

#include "history/state.h"
#include "stats/reports.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

const std::string KAI = "\x89\xf1";     // 回
const std::string PERCENT = "\x81\x93"; // ％

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    if (start < text.size()) {
        lines.push_back(text.substr(start));
    }
    return lines;
}

class Reports : public CoreTest {
  protected:
    std::string Report(void (*format)()) {
        std::memset(ReportText, 0, sizeof ReportText);
        format();
        return ReportText;
    }
};

TEST_F(Reports, ShareTableHasFiveEntriesALineAndNoFinalNewline) {
    StartWith({{1, 2, 3, 4, 5, 6, 7}});
    std::string table = Report(FormatProbabilityReport);
    std::string sixteen = KAI + ": 16.7" + PERCENT + "  ";
    EXPECT_EQ(SplitLines(table)[0], "[01]:  1" + sixteen + "[02]:  1" + sixteen + "[03]:  1" +
                                        sixteen + "[04]:  1" + sixteen + "[05]:  1" + sixteen);
    std::string never = KAI + ": 0.0" + PERCENT + "  ";
    std::string lastLine = "[41]:  0" + never + "[42]:  0" + never + "[43]:  0" + never;
    ASSERT_GE(table.size(), lastLine.size());
    EXPECT_EQ(table.substr(table.size() - lastLine.size()), lastLine);
    EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 8);
    EXPECT_EQ(SplitLines(table).size(), 9u);
}

TEST_F(Reports, ShareTiesRoundUp) {
    // Number 1 in 3 of 8 draws: 6.25%. Number 2 nine times in 8 draws: 18.75%.
    std::vector<Draw> draws(8, Draw{2, 10, 11, 12, 13, 14, 15});
    draws[0] = {1, 2, 2, 2, 2, 14, 15};
    draws[1] = {1, 10, 11, 12, 13, 14, 15};
    draws[2] = {1, 10, 11, 12, 13, 14, 15};
    StartWith(draws);
    std::string table = Report(FormatProbabilityReport);
    EXPECT_NE(table.find("[01]:  3" + KAI + ": 6.3" + PERCENT + "  "), std::string::npos) << table;
    EXPECT_NE(table.find("[02]:  9" + KAI + ": 18.8" + PERCENT + "  "), std::string::npos);
}

TEST_F(Reports, RecentDrawsShowStoredOrderNewestFirst) {
    StartWith({{1, 2, 3, 4, 5, 6, 7}, {42, 1, 30, 7, 19, 3, 11}});
    EXPECT_EQ(Report(FormatRecentDraws), "No.002 : [42][01][30][07][19][03]:[11]\n"
                                         "No.001 : [01][02][03][04][05][06]:[07]\n");
}

TEST_F(Reports, RecentDrawsListTenAtMostAndOnlyDrawsThatExist) {
    struct Case {
        int draws;
        std::size_t lines;
        const char* first;
        const char* last;
    } cases[] = {
        {12, 10, "No.012", "No.003"}, {256, 10, "No.256", "No.247"}, {3, 3, "No.003", "No.001"}};
    for (const Case& c : cases) {
        ResetState();
        StartWith(std::vector<Draw>(static_cast<std::size_t>(c.draws), Draw{1, 2, 3, 4, 5, 6, 7}));
        std::vector<std::string> lines = SplitLines(Report(FormatRecentDraws));
        ASSERT_EQ(lines.size(), c.lines);
        EXPECT_EQ(lines.front().substr(0, 6), c.first);
        EXPECT_EQ(lines.back().substr(0, 6), c.last);
    }
    ResetState();
    StartWith({});
    EXPECT_EQ(Report(FormatRecentDraws), "");
}

TEST_F(Reports, ThreeDigitValuesArePrintedWhole) {
    ASSERT_EQ(LoadBytes("KIVO\n255 1 2 3 4 5 200\nEND\n"), 1);
    EXPECT_EQ(Report(FormatRecentDraws), "No.001 : [255][01][02][03][04][05]:[200]\n");
}

TEST_F(Reports, ShareFieldsPadTheCountAndRoundTheShareToTenths) {
    // The float shares as stored: 0.05f is 0.0500000007 (rounds up), 9.95f is 9.94999981
    // (rounds down), 99.96f is 99.9599991 (rounds up to 100.0); three-digit counts widen.
    struct Case {
        int count;
        float share;
        const char* entry;
    } cases[] = {{0, 0.0f, "[01]:  0\x89\xf1: 0.0\x81\x93  "},
                 {7, 0.05f, "[01]:  7\x89\xf1: 0.1\x81\x93  "},
                 {42, 9.95f, "[01]: 42\x89\xf1: 9.9\x81\x93  "},
                 {200, 99.96f, "[01]: 200\x89\xf1: 100.0\x81\x93  "},
                 {255, 100.0f, "[01]: 255\x89\xf1: 100.0\x81\x93  "}};
    for (const Case& c : cases) {
        mainCounts[0] = static_cast<std::uint8_t>(c.count);
        percent[0] = c.share;
        std::string table = Report(FormatProbabilityReport);
        EXPECT_EQ(table.substr(0, std::strlen(c.entry)), c.entry) << c.count;
    }
}

} // namespace
