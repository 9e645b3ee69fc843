// Shares with their two single-precision roundings, and the weighted pool: its cell
// counts and its shuffle from the random source's initial state.
#include "support/core_fixture.h"

#include "generate/random_source.h"
#include "history/state.h"
#include "stats/shares.h"

#include <algorithm>

namespace {

int CellsOf(int number) {
    return static_cast<int>(std::count(WeightedPool, WeightedPool + poolLength, number));
}

class Shares : public CoreTest {};

TEST_F(Shares, EmptyHistoryShufflesEachNumberOnceFromStateOne) {
    StartWith({});
    std::uint32_t afterShuffle = RandomSource;
    const int expected[] = {25, 9,  27, 20, 24, 26, 18, 23, 37, 32, 35, 15, 4,  3,  12,
                            38, 42, 40, 11, 43, 2,  36, 19, 10, 17, 29, 22, 16, 13, 6,
                            34, 14, 8,  41, 5,  39, 33, 31, 28, 21, 7,  1,  30};
    ASSERT_EQ(poolLength, 43u);
    EXPECT_TRUE(std::equal(std::begin(expected), std::end(expected), WeightedPool));
    EXPECT_TRUE(std::all_of(WeightedPool + 43, std::end(WeightedPool),
                            [](std::uint8_t cell) { return cell == 0; }));
    for (float share : percent) {
        EXPECT_EQ(share, 0.0f);
    }
    EXPECT_EQ(afterShuffle, StateAfter(279));
}

TEST_F(Shares, OneDrawGivesSeventeenCellsToEachOfItsNumbers) {
    StartWith({{1, 2, 3, 4, 5, 6, 7}});
    EXPECT_EQ(poolLength, 139u);
    for (int number = 1; number <= 43; ++number) {
        EXPECT_EQ(CellsOf(number), number <= 6 ? 17 : 1) << number;
    }
    EXPECT_EQ(percent[0], 16.666668f);
    EXPECT_EQ(percent[6], 0.0f); // the bonus number has no share
}

TEST_F(Shares, TwoRoundingsCanFallJustBelowAWholeShare) {
    // 159 and 177 of 300 main numbers: exactly 53% and 59%, which compute as
    // 52.999996 and 58.999996 and so give 53 and 59 cells, not 54 and 60.
    for (int count : {159, 177}) {
        std::vector<Draw> draws;
        for (int d = 0, slot = 0; d < 50; ++d) {
            Draw draw{};
            for (int p = 0; p < 6; ++p, ++slot) {
                draw[p] = slot < count ? 1 : slot % 42 + 2;
            }
            draw[6] = 1;
            draws.push_back(draw);
        }
        ResetState();
        StartWith(draws);
        EXPECT_EQ(percent[0], count == 159 ? 52.999996f : 58.999996f);
        EXPECT_EQ(CellsOf(1), count == 159 ? 53 : 59);
    }
}

TEST_F(Shares, WholeSharesOfDistinctDrawsLandOnTheirWholeNumber) {
    // Every count a number can reach when each draw's main numbers are distinct.
    for (int draws = 1; draws <= HISTORY_CAPACITY; ++draws) {
        for (int count = 1; count <= draws && count <= 255; ++count) {
            int total = 6 * draws;
            if (count * 100 % total != 0) {
                continue;
            }
            ResetState();
            mainCounts[0] = static_cast<std::uint8_t>(count);
            mainTotal = total;
            ComputePercentages();
            ASSERT_EQ(static_cast<int>(percent[0]), count * 100 / total) << count << "/" << total;
            ASSERT_EQ(CellsOf(1), count * 100 / total + 1);
        }
    }
}

TEST_F(Shares, OneNumberFillingEveryDrawReachesTheLargestPool) {
    StartWith(std::vector<Draw>(10, Draw{5, 5, 5, 5, 5, 5, 5}));
    EXPECT_EQ(percent[4], 100.0f);
    EXPECT_EQ(poolLength, 143u);
    EXPECT_EQ(CellsOf(5), 101);
}

} // namespace
