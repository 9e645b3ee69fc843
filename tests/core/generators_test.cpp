// The six Type 1 generators and the Type 2 tickets: known streams from seed 1, the
// values they consume, and the exclusions each honours.
#include "support/core_fixture.h"

#include "generate/generators.h"
#include "generate/random_source.h"
#include "history/state.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <string>

namespace {

// The line one generator appends, from seed 1.
std::string LineFromSeedOne(void (*generator)()) {
    std::memset(ResultText, 0, sizeof ResultText);
    SeedRandom(1);
    generator();
    return ResultText;
}

std::string TicketsFromSeedOne() {
    std::memset(ResultText, 0, sizeof ResultText);
    SeedRandom(1);
    GenerateTickets();
    return ResultText;
}

std::set<int> NumbersOf(const std::array<int, 6>& line) {
    return {line.begin(), line.end()};
}

class TypeOne : public CoreTest {};

TEST_F(TypeOne, UniformFromSeedOne) {
    StartWith({});
    EXPECT_EQ(LineFromSeedOne(GenerateUniform), "13 14 21 30 35 42\n");
    const std::uint8_t pick[] = {13, 14, 21, 30, 35, 42, 41};
    EXPECT_EQ(0, std::memcmp(Pick, pick, sizeof Pick));
    EXPECT_EQ(RandomSource, StateAfter(7));
    ParityMode = PARITY_ODD_ONLY;
    EXPECT_EQ(LineFromSeedOne(GenerateUniform), "13 19 21 33 35 41\n");
    ParityMode = PARITY_EVEN_ONLY;
    EXPECT_EQ(LineFromSeedOne(GenerateUniform), "02 14 24 30 32 42\n");
}

TEST_F(TypeOne, InverseWithNoSharesTakesEveryCandidate) {
    StartWith({});
    EXPECT_EQ(LineFromSeedOne(GenerateInverse), "02 14 30 35 41 42\n");
    EXPECT_EQ(RandomSource, StateAfter(14));
}

TEST_F(TypeOne, PooledDrawsTheCellsTheShuffleFilledFromTheSameStream) {
    StartWith({});
    EXPECT_EQ(LineFromSeedOne(GeneratePooled), "01 02 03 04 05 06\n");
    EXPECT_EQ(Pick[6], 7);
}

TEST_F(TypeOne, NoRepeatMembersLeaveOutTheLatestMainNumbersOnly) {
    StartWith({{1, 2, 3, 4, 5, 6, 7}, {13, 14, 21, 30, 35, 42, 41}});
    EXPECT_EQ(LineFromSeedOne(GenerateUniformNoRepeat), "02 15 19 24 33 41\n");
    ParityMode = PARITY_ODD_ONLY;
    EXPECT_EQ(LineFromSeedOne(GenerateUniformNoRepeat), "15 19 25 29 33 41\n");
}

TEST_F(TypeOne, WithNoHistoryNothingIsLeftOut) {
    StartWith({});
    EXPECT_EQ(LineFromSeedOne(GenerateUniformNoRepeat), LineFromSeedOne(GenerateUniform));
    EXPECT_EQ(LineFromSeedOne(GeneratePooledNoRepeat), LineFromSeedOne(GeneratePooled));
    EXPECT_EQ(LineFromSeedOne(GenerateInverseNoRepeat), LineFromSeedOne(GenerateInverse));
}

TEST_F(TypeOne, OddOnlyFinishesWhenTheLatestDrawTookSixOddNumbers) {
    StartWith({{1, 3, 5, 7, 9, 11, 2}});
    ParityMode = PARITY_ODD_ONLY;
    for (std::uint32_t second = 0; second < 50; ++second) {
        StopClockAt(second);
        BeginResult("Pattern 2\n\n");
        GenerateUniformNoRepeat();
        GeneratePooledNoRepeat();
        GenerateInverseNoRepeat();
        for (const auto& line : ResultLines(ResultText, "Pattern 2\n\n")) {
            for (int n : line) {
                EXPECT_EQ(n % 2, 1);
                EXPECT_GT(n, 11);
            }
        }
    }
}

TEST_F(TypeOne, SameSecondGivesTheSameText) {
    StartWith({{1, 2, 3, 4, 5, 6, 7}, {8, 9, 10, 11, 12, 13, 14}});
    StopClockAt(1765000000u);
    std::string texts[2];
    for (std::string& text : texts) {
        BeginResult("Pattern 1\n\n");
        GenerateUniform();
        GeneratePooled();
        GenerateInverse();
        text = ResultText;
    }
    EXPECT_EQ(texts[0], texts[1]);
    EXPECT_EQ(ResultLines(texts[0].c_str(), "Pattern 1\n\n").size(), 3u);
}

class Tickets : public CoreTest {};

TEST_F(Tickets, NoFlagsDrawThirtyDistinctNumbers) {
    StartWith({});
    EXPECT_EQ(TicketsFromSeedOne(), "13 14 21 30 35 42\n"
                                    "02 15 19 24 33 41\n"
                                    "07 12 25 28 29 32\n"
                                    "04 05 08 23 27 40\n"
                                    "01 03 06 26 39 43\n");
    EXPECT_EQ(RandomSource, StateAfter(55));
    EXPECT_TRUE(std::all_of(std::begin(TicketExclusion), std::end(TicketExclusion),
                            [](std::uint8_t mark) { return mark == 0; }));
}

TEST_F(Tickets, EveryGroupExcludedSpendsOneValueOnTheReset) {
    StartWith({});
    std::memset(DecadeFlags, 1, sizeof DecadeFlags);
    EXPECT_EQ(TicketsFromSeedOne(), "13 14 21 30 35 41\n"
                                    "02 15 19 24 29 33\n"
                                    "07 12 25 28 32 42\n"
                                    "04 05 08 23 27 40\n"
                                    "01 03 06 26 39 43\n");
}

TEST_F(Tickets, TicketAcrossTheResetNeverRepeatsANumber) {
    StartWith({});
    DecadeFlags[0] = 1;
    DecadeFlags[1] = 1;
    std::string text = TicketsFromSeedOne();
    std::vector<std::array<int, 6>> lines = ResultLines(text.c_str(), "");
    ASSERT_EQ(lines.size(), 5u);
    std::set<int> beforeReset;
    for (int t = 0; t < 3; ++t) {
        std::set<int> numbers = NumbersOf(lines[static_cast<std::size_t>(t)]);
        beforeReset.insert(numbers.begin(), numbers.end());
    }
    std::set<int> fourth = NumbersOf(lines[3]);
    for (int n : {22, 31, 34, 36, 37}) {
        EXPECT_TRUE(fourth.count(n)) << text;
        beforeReset.insert(n);
    }
    // The 23 numbers left available were drawn before the reset.
    EXPECT_EQ(beforeReset.size(), 23u);
    EXPECT_EQ(*beforeReset.begin(), 21);
    for (const auto& line : lines) {
        EXPECT_EQ(NumbersOf(line).size(), 6u) << text;
    }
}

TEST_F(Tickets, ThirtyAvailableNumbersAreAllUsed) {
    StartWith({{41, 42, 43, 1, 2, 3, 20}});
    DecadeFlags[0] = 1;
    PastDrawFlags[0] = 1;
    std::set<int> used;
    for (const auto& line : ResultLines(TicketsFromSeedOne().c_str(), "")) {
        used.insert(line.begin(), line.end());
    }
    std::set<int> available;
    for (int n = 11; n <= 40; ++n) {
        available.insert(n);
    }
    EXPECT_EQ(used, available);
}

TEST_F(Tickets, PastDrawFlagLeavesOutMainNumbersButNotTheBonus) {
    StartWith({{1, 2, 3, 4, 5, 6, 7}, {8, 9, 10, 11, 12, 13, 14}});
    PastDrawFlags[1] = 1; // the draw before the latest
    bool bonusSeen = false;
    for (std::uint32_t second = 0; second < 20; ++second) {
        StopClockAt(second);
        BeginResult("Type 2\n\n");
        GenerateTickets();
        for (const auto& line : ResultLines(ResultText, "Type 2\n\n")) {
            for (int n : line) {
                EXPECT_GT(n, 6);
                bonusSeen = bonusSeen || n == 7;
            }
        }
    }
    EXPECT_TRUE(bonusSeen);
}

TEST_F(Tickets, FlagsForDrawsNotHeldOrValuesOutsideTheNumbersMarkNothing) {
    ASSERT_EQ(LoadBytes("KIVO\n0 44 255 200 99 100 7\nEND\n"), 1);
    std::string unflagged = TicketsFromSeedOne();
    std::memset(PastDrawFlags, 1, sizeof PastDrawFlags);
    EXPECT_EQ(TicketsFromSeedOne(), unflagged);
}

} // namespace
