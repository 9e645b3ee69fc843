// The share table and the recent-draw list, byte for byte in code page 932.
#include "support/core_fixture.h"

#include "core/program.h"

#include <algorithm>
#include <string>

namespace {

class Reports : public CoreTest {};

// "[%02d]: %2d回: %3.1f％  " with 回 and ％ in code page 932.
std::string Entry(const char* number, const char* count, const char* share) {
    return std::string("[") + number + "]: " + count + "\x89\xf1: " + share + "\x81\x93  ";
}

TEST_F(Reports, ShareTableHasFiveEntriesALineAndNoFinalNewline) {
    StartWith({{1, 2, 3, 4, 5, 6, 7}});
    std::string table = RequestShareTable();
    std::string drawn = Entry("01", " 1", "16.7"), never = Entry("41", " 0", "0.0");
    EXPECT_EQ(table.substr(0, 5 * drawn.size() + 1),
              drawn + Entry("02", " 1", "16.7") + Entry("03", " 1", "16.7") +
                  Entry("04", " 1", "16.7") + Entry("05", " 1", "16.7") + "\n");
    EXPECT_EQ(table.substr(table.size() - 3 * never.size() - 1),
              "\n" + never + Entry("42", " 0", "0.0") + Entry("43", " 0", "0.0"));
    EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 8);
}

TEST_F(Reports, ShareEntriesPadTheCountAndRoundTheShareTiesUp) {
    // The float shares as stored: 6.25 and 18.75 are exact ties; 0.05f is 0.0500000007
    // (up), 9.95f is 9.94999981 (down), 99.96f is 99.9599991 (up to 100.0).
    struct Case {
        int count;
        float share;
        const char* shownCount;
        const char* shownShare;
    } cases[] = {{3, 6.25f, " 3", "6.3"},
                 {9, 18.75f, " 9", "18.8"},
                 {7, 0.05f, " 7", "0.1"},
                 {42, 9.95f, "42", "9.9"},
                 {200, 99.96f, "200", "100.0"}};
    for (const Case& c : cases) {
        mainCounts[0] = static_cast<std::uint8_t>(c.count);
        percent[0] = c.share;
        std::string entry = Entry("01", c.shownCount, c.shownShare);
        EXPECT_EQ(std::string(RequestShareTable()).substr(0, entry.size()), entry);
    }
}

TEST_F(Reports, RecentDrawsListTheTenNewestInStoredOrder) {
    StartWith({{1, 2, 3, 4, 5, 6, 7}, {42, 1, 30, 7, 19, 3, 11}});
    EXPECT_EQ(std::string(RequestRecentDraws()), "No.002 : [42][01][30][07][19][03]:[11]\n"
                                                 "No.001 : [01][02][03][04][05][06]:[07]\n");
    struct Case {
        int draws;
        const char* rows; // the numbers after "No.", line by line
    } cases[] = {{12, "012 011 010 009 008 007 006 005 004 003"},
                 {256, "256 255 254 253 252 251 250 249 248 247"},
                 {3, "003 002 001"},
                 {0, ""}};
    for (const Case& c : cases) {
        StartWith(std::vector<Draw>(static_cast<std::size_t>(c.draws), Draw{1, 2, 3, 4, 5, 6, 7}));
        std::string expected, rows = c.rows;
        for (std::size_t at = 0; at < rows.size(); at += 4) {
            expected += "No." + rows.substr(at, 3) + " : [01][02][03][04][05][06]:[07]\n";
        }
        EXPECT_EQ(std::string(RequestRecentDraws()), expected) << c.draws;
    }
    ASSERT_EQ(LoadBytes("KIVO\n255 1 2 3 4 5 200\nEND\n"), 1);
    EXPECT_EQ(std::string(RequestRecentDraws()), "No.001 : [255][01][02][03][04][05]:[200]\n");
}

} // namespace
