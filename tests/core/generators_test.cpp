// The six Type 1 generators and the Type 2 tickets: known streams from seed 1, the
// values they consume, and the exclusions each honours.
#include "support/core_fixture.h"

#include "generate/generators.h"
#include "generate/random_source.h"
#include "history/state.h"
#include "support/program_start.h"

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

class Generators : public CoreTest {};

// A small history whose shares are far from even: 01 is in every draw (16.7%), 02 and
// 03 in three of four (12.5%), the rest once (4.2%) or never. Each request below runs
// as the main dialog runs it, seeded from one stopped second, and its whole text is
// written out. The pooled members draw from the pool the start-up shuffle made, and
// the inverse members spend a roll per candidate, so these texts take hundreds of
// random steps each: they were recorded once from the build that matches the Windows
// program byte for byte, and a change to any rule of any member changes them.
const std::vector<Draw> SKEWED_HISTORY = {{1, 2, 3, 11, 22, 33, 40},
                                          {1, 2, 3, 12, 23, 34, 41},
                                          {1, 2, 3, 13, 24, 35, 42},
                                          {1, 14, 25, 36, 41, 42, 43}};
constexpr std::uint32_t SKEWED_SECOND = 1765000000u;

TEST_F(Generators, EveryRequestOnASkewedHistoryGivesItsKnownText) {
    using Generator = void (*)();
    struct Case {
        const char* header;
        Generator members[3];
        std::int32_t parity;
        const char* expected;
    } cases[] = {
        {"Pattern 1\n\n",
         {GenerateUniform, GeneratePooled, GenerateInverse},
         PARITY_NORMAL,
         "Pattern 1\n\n"
         "07 12 13 14 15 19\n"
         "01 12 14 25 34 37\n"
         "05 06 07 16 29 35\n"},
        {"Pattern 2\n\n",
         {GenerateUniformNoRepeat, GeneratePooledNoRepeat, GenerateInverseNoRepeat},
         PARITY_NORMAL,
         "Pattern 2\n\n"
         "07 12 13 15 19 30\n"
         "02 03 12 22 33 34\n"
         "05 06 19 27 34 43\n"},
        {"Pattern 1\n\n",
         {GenerateUniform, GeneratePooled, GenerateInverse},
         PARITY_ODD_ONLY,
         "Pattern 1\n\n"
         "01 07 13 15 17 19\n"
         "01 03 23 25 33 41\n"
         "05 19 27 31 35 43\n"},
        {"Pattern 2\n\n",
         {GenerateUniformNoRepeat, GeneratePooledNoRepeat, GenerateInverseNoRepeat},
         PARITY_EVEN_ONLY,
         "Pattern 2\n\n"
         "06 12 16 18 30 40\n"
         "02 16 24 26 34 40\n"
         "08 10 12 20 28 30\n"},
    };
    StartWith(SKEWED_HISTORY);
    StopClockAt(SKEWED_SECOND);
    for (const Case& c : cases) {
        ParityMode = c.parity;
        BeginResult(c.header);
        for (Generator member : c.members) {
            member();
        }
        // A broken rule can leave a later member unable to finish its pick: stop at the
        // first text that differs.
        ASSERT_STREQ(ResultText, c.expected) << c.header << " parity " << c.parity;
    }
    // Type 2 with 1..10, 41..43 and the latest draw left out: 27 numbers remain, so the
    // fifth ticket is finished after the reset from all but its own numbers.
    ParityMode = PARITY_NORMAL;
    DecadeFlags[0] = 1;
    DecadeFlags[4] = 1;
    PastDrawFlags[0] = 1;
    BeginResult("Type 2\n\n");
    GenerateTickets();
    EXPECT_STREQ(ResultText, "Type 2\n\n"
                             "12 13 15 16 19 30\n"
                             "11 17 18 29 35 40\n"
                             "23 26 27 34 38 39\n"
                             "21 22 24 28 31 37\n"
                             "04 12 20 32 33 38\n");
}

class TypeOne : public CoreTest {};

// Each member's line from seed 1, on no history (so no shares and nothing to leave out)
// or on one whose latest draw is 13 14 21 30 35 42. A uniform candidate is value % 43 + 1
// (41 and 18467 give 42 and 21); an inverse candidate spends a second value on its roll.
// The pooled member draws from the pool the start-up shuffle filled from the same
// stream, so it meets the cells holding 1 to 7 in order.
TEST_F(TypeOne, EachMembersLineFromSeedOne) {
    const std::vector<Draw> latestHeld = {{1, 2, 3, 4, 5, 6, 7}, {13, 14, 21, 30, 35, 42, 41}};
    struct Case {
        bool withHistory;
        std::int32_t parity;
        void (*member)();
        const char* line;
        int seventh;    // Pick[6], or 0 where not written down
        int valuesUsed; // random values spent, or -1 where not written down
    } cases[] = {
        {false, PARITY_NORMAL, GenerateUniform, "13 14 21 30 35 42\n", 41, 7},
        {false, PARITY_ODD_ONLY, GenerateUniform, "13 19 21 33 35 41\n", 0, -1},
        {false, PARITY_EVEN_ONLY, GenerateUniform, "02 14 24 30 32 42\n", 0, -1},
        {false, PARITY_NORMAL, GenerateInverse, "02 14 30 35 41 42\n", 0, 14},
        {false, PARITY_NORMAL, GeneratePooled, "01 02 03 04 05 06\n", 7, -1},
        {false, PARITY_NORMAL, GenerateUniformNoRepeat, "13 14 21 30 35 42\n", 41, 7},
        {false, PARITY_NORMAL, GenerateInverseNoRepeat, "02 14 30 35 41 42\n", 0, 14},
        {false, PARITY_NORMAL, GeneratePooledNoRepeat, "01 02 03 04 05 06\n", 7, -1},
        {true, PARITY_NORMAL, GenerateUniformNoRepeat, "02 15 19 24 33 41\n", 0, -1},
        {true, PARITY_ODD_ONLY, GenerateUniformNoRepeat, "15 19 25 29 33 41\n", 0, -1},
    };
    int row = 0;
    for (const Case& c : cases) {
        ResetToProgramStart();
        StartWith(c.withHistory ? latestHeld : std::vector<Draw>{});
        ParityMode = c.parity;
        EXPECT_EQ(LineFromSeedOne(c.member), c.line) << "row " << row;
        if (c.seventh != 0) {
            EXPECT_EQ(Pick[6], c.seventh) << "row " << row;
        }
        if (c.valuesUsed >= 0) {
            EXPECT_EQ(RandomSource, StateAfter(c.valuesUsed)) << "row " << row;
        }
        ++row;
    }
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
