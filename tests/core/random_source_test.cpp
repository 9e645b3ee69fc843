// The start of a result, the sort and the pick line. The random source's arithmetic
// shows in the start-up shuffle's pool, the parity filter in the generators' lines.
#include "support/core_fixture.h"

#include "core/generate/pick.h"
#include "core/history/state.h"

#include <cstring>

namespace {

class RandomSourceTest : public CoreTest {};

TEST_F(RandomSourceTest, BeginResultSeedsFromTheClockAndLeavesOnlyTheHeader) {
    // 2024-01-01 is a lower bound for any machine running these tests.
    EXPECT_GT(SystemCalendarClock(), 1704067200u);
    std::memset(ResultText, 'x', sizeof ResultText);
    StopClockAt(1700000000u);
    BeginResult("Type 2\n\n");
    EXPECT_EQ(RandomSource, 1700000000u);
    EXPECT_EQ(std::string(ResultText, sizeof ResultText),
              "Type 2\n\n" + std::string(sizeof ResultText - 8, '\0'));
}

TEST_F(RandomSourceTest, SortedPickBecomesOneLineAndKeepsItsSeventhNumber) {
    const std::uint8_t picks[][PICK_SIZE] = {{42, 21, 14, 13, 35, 30, 41},
                                             {9, 2, 2, 43, 1, 10, 41}};
    for (const auto& pick : picks) {
        std::memcpy(Pick, pick, sizeof Pick);
        SortPick();
        AppendPickLine();
    }
    EXPECT_EQ(std::vector<int>(Pick, Pick + PICK_SIZE), (std::vector<int>{1, 2, 2, 9, 10, 43, 41}));
    EXPECT_STREQ(ResultText, "13 14 21 30 35 42\n01 02 02 09 10 43\n");
}

} // namespace
