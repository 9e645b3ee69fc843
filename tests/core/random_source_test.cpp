// The random source's fixed arithmetic, the start of a result, the parity filter and
// the pick line.
#include "support/core_fixture.h"

#include "generate/random_source.h"
#include "history/line_writer.h"
#include "history/state.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <random>

namespace {

class RandomSourceTest : public CoreTest {};

TEST_F(RandomSourceTest, StateOneGivesTheKnownSequence) {
    const std::int32_t expected[] = {41,    18467, 6334,  26500, 19169,
                                     15724, 11478, 29358, 26962, 24464};
    for (int round = 0; round < 2; ++round) {
        SeedRandom(1);
        for (std::int32_t value : expected) {
            EXPECT_EQ(NextRandom(), value);
        }
    }
}

TEST_F(RandomSourceTest, StateWrapsAndOutputKeepsFifteenBits) {
    // (2^32 - 1) * 214013 + 2531011 wraps to 2531011 - 214013 = 2316998 = 0x00235AC6.
    SeedRandom(0xFFFFFFFFu);
    EXPECT_EQ(NextRandom(), 0x23);
    EXPECT_EQ(RandomSource, 2316998u);
    // 2^31 * 214013 wraps to 2^31, plus 2531011: 0x80269EC3; bit 31 is dropped.
    SeedRandom(0x80000000u);
    EXPECT_EQ(NextRandom(), 0x26);
}

TEST_F(RandomSourceTest, BeginResultSeedsFromTheClockAndLeavesOnlyTheHeader) {
    std::memset(ResultText, 'x', sizeof ResultText);
    StopClockAt(1700000000u);
    BeginResult("Type 2\n\n");
    EXPECT_EQ(RandomSource, 1700000000u);
    EXPECT_STREQ(ResultText, "Type 2\n\n");
    for (std::size_t i = 8; i < sizeof ResultText; ++i) {
        ASSERT_EQ(ResultText[i], '\0') << i;
    }
}

TEST_F(RandomSourceTest, SystemClockCountsSecondsSince1970) {
    // 2024-01-01 is a lower bound for any machine running these tests.
    EXPECT_GT(SystemCalendarClock(), 1704067200u);
}

TEST_F(RandomSourceTest, ParityFilterRejectsTheOtherParity) {
    struct Case {
        std::int32_t mode;
        std::uint8_t number;
        std::int32_t rejected;
    } cases[] = {{PARITY_EVEN_ONLY, 43, 1}, {PARITY_EVEN_ONLY, 42, 0}, {PARITY_ODD_ONLY, 43, 0},
                 {PARITY_ODD_ONLY, 42, 1},  {PARITY_ODD_ONLY, 1, 0},   {PARITY_EVEN_ONLY, 2, 0}};
    for (const Case& c : cases) {
        ParityMode = c.mode;
        EXPECT_EQ(RejectByParity(c.number), c.rejected) << c.mode << " " << int{c.number};
    }
    ParityMode = PARITY_NORMAL;
    for (int n = 1; n <= 43; ++n) {
        EXPECT_EQ(RejectByParity(static_cast<std::uint8_t>(n)), 0);
    }
}

TEST_F(RandomSourceTest, SortedPickBecomesOneLineAndKeepsItsSeventhNumber) {
    const std::uint8_t pick[] = {42, 21, 14, 13, 35, 30, 41};
    std::memcpy(Pick, pick, sizeof Pick);
    SortPick();
    const std::uint8_t sorted[] = {13, 14, 21, 30, 35, 42, 41};
    EXPECT_EQ(0, std::memcmp(Pick, sorted, sizeof Pick));
    AppendPickLine();
    const std::uint8_t small[] = {9, 2, 2, 43, 1, 10, 0};
    std::memcpy(Pick, small, sizeof Pick);
    SortPick();
    AppendPickLine();
    EXPECT_STREQ(ResultText, "13 14 21 30 35 42\n01 02 02 09 10 43\n");
}

TEST_F(RandomSourceTest, SortAgreesWithStdSortOnAnyCells) {
    std::mt19937 random(43);
    std::uniform_int_distribution<int> cell(0, 255), narrow(1, 4);
    for (int round = 0; round < 2000; ++round) {
        bool repeats = round % 2 == 0; // many equal entries, or any 8-bit values
        std::array<std::uint8_t, PICK_SIZE> cells{};
        for (std::uint8_t& value : cells) {
            value = static_cast<std::uint8_t>(repeats ? narrow(random) : cell(random));
        }
        std::memcpy(Pick, cells.data(), sizeof Pick);
        std::sort(cells.begin(), cells.begin() + MAIN_NUMBERS);
        SortPick();
        EXPECT_EQ(0, std::memcmp(Pick, cells.data(), sizeof Pick)) << round;
    }
}

TEST_F(RandomSourceTest, LineWriterStopsAtItsBufferAndStaysTerminated) {
    char buffer[8];
    std::memset(buffer, 0, sizeof buffer);
    LineWriter line = StartLine(buffer, sizeof buffer);
    PutText(line, "No.");
    PutNumber(line, 7, 3, '0');
    PutNumber(line, 123456, 1, ' ');
    EXPECT_STREQ(buffer, "No.0071");
    PutText(line, "more");
    EXPECT_STREQ(buffer, "No.0071");
}

} // namespace
