// Shares with their two single-precision roundings, and the weighted pool: its cell
// counts and its shuffle from the random source's initial state.
#include "support/core_fixture.h"

#include "core/generate/pick.h"
#include "core/history/state.h"
#include "core/stats/shares.h"

#include <algorithm>

namespace {

class Shares : public CoreTest {};

TEST_F(Shares, EmptyHistoryShufflesEachNumberOnceFromStateOne) {
    StartWith({});
    EXPECT_EQ(RandomSource, 3523995438u); // 279 values on from state 1
    const std::vector<int> expected = {25, 9,  27, 20, 24, 26, 18, 23, 37, 32, 35, 15, 4,  3,  12,
                                       38, 42, 40, 11, 43, 2,  36, 19, 10, 17, 29, 22, 16, 13, 6,
                                       34, 14, 8,  41, 5,  39, 33, 31, 28, 21, 7,  1,  30};
    ASSERT_EQ(poolLength, 43u);
    EXPECT_EQ(std::vector<int>(WeightedPool, WeightedPool + 43), expected);
}

TEST_F(Shares, EachNumberGetsOneCellPlusOnePerWholePercent) {
    // Number 1 in 159 or 177 of 300 main numbers: exactly 53% and 59%, which the two
    // roundings make 52.999996 and 58.999996, so 53 and 59 cells, not 54 and 60.
    auto skewed = [](int count) {
        std::vector<Draw> draws(50);
        for (int slot = 0; slot < 300; ++slot) {
            draws[slot / 6][slot % 6] = slot < count ? 1 : slot % 42 + 2;
        }
        return draws;
    };
    struct Case {
        std::vector<Draw> draws;
        float share; // of number 1
        int cells;
        unsigned poolLength;
    } cases[] = {
        {{{1, 2, 3, 4, 5, 6, 7}}, 16.666668f, 17, 139}, // 2 to 6 alike; 7 is a bonus: 1 cell
        {skewed(159), 52.999996f, 53, 0},
        {skewed(177), 58.999996f, 59, 0},
        {std::vector<Draw>(10, Draw{1, 1, 1, 1, 1, 1, 1}), 100.0f, 101, 143},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cells);
        StartWith(c.draws);
        ComputePercentages(); // a second time builds the same pool again

        EXPECT_EQ(percent[0], c.share);
        EXPECT_EQ(std::count(WeightedPool, WeightedPool + poolLength, 1), c.cells);
        if (c.poolLength != 0) {
            EXPECT_EQ(poolLength, c.poolLength);
        }
    }
}

} // namespace
