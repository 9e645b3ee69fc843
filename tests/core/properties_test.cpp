// Invariants over many random and hostile histories: whatever data.txt holds, the
// tables stay consistent and every suggestion obeys its rules. The sanitizer build
// runs these to catch any access outside a table.
#include "support/core_fixture.h"

#include "generate/generators.h"
#include "generate/random_source.h"
#include "history/state.h"
#include "stats/reports.h"
#include "stats/shares.h"

#include <cstring>
#include <random>
#include <set>
#include <string>

namespace {

std::string WellFormedHistory(std::mt19937& random) {
    std::uniform_int_distribution<int> number(1, 43), draws(0, 300), layout(0, 9);
    std::string text = "KIVO sample\n";
    int count = draws(random);
    for (int d = 0; d < count; ++d) {
        for (int p = 0; p < DRAW_SIZE; ++p) {
            text += std::to_string(number(random));
            text += layout(random) == 0 ? "   " : " ";
        }
        text += layout(random) < 3 ? "\r\n" : "\n";
    }
    if (layout(random) < 7) {
        text += "END\n";
    }
    return text;
}

std::string HostileHistory(std::mt19937& random) {
    static const char alphabet[] =
        "0123456789012345678901234567890123456789     \n\n\r\t-+KIVOEND\x1a";
    std::uniform_int_distribution<int> length(0, 6000), pick(0, sizeof alphabet - 2), kind(0, 9),
        anyByte(0, 255);
    std::string text = kind(random) < 7 ? "KIVO\n" : "";
    int size = length(random);
    for (int i = 0; i < size; ++i) {
        int roll = kind(random);
        if (roll == 0) {
            text += static_cast<char>(anyByte(random));
        } else if (roll == 1 && i % 97 == 0) {
            text += std::string(static_cast<std::size_t>(length(random) / 10), '9');
        } else {
            text += alphabet[pick(random)];
        }
    }
    return text;
}

void ExpectTablesConsistent() {
    ASSERT_GE(drawCount, 0);
    ASSERT_LE(drawCount, HISTORY_CAPACITY);
    EXPECT_EQ(mainTotal, 6 * drawCount);
    ASSERT_GE(poolLength, 43u);
    ASSERT_LE(poolLength, static_cast<std::uint32_t>(POOL_CAPACITY));
    std::set<int> inPool;
    for (std::uint32_t cell = 0; cell < POOL_CAPACITY; ++cell) {
        if (cell < poolLength) {
            ASSERT_TRUE(IsLotteryNumber(WeightedPool[cell]));
            inPool.insert(WeightedPool[cell]);
        } else {
            ASSERT_EQ(WeightedPool[cell], 0);
        }
    }
    EXPECT_EQ(inPool.size(), 43u);
}

void ExpectTypeOneLinesValid(bool leaveOutLatest) {
    std::set<int> latest;
    if (leaveOutLatest && drawCount > 0) {
        latest.insert(DrawHistory[drawCount - 1], DrawHistory[drawCount - 1] + MAIN_NUMBERS);
    }
    auto lines = ResultLines(ResultText, leaveOutLatest ? "Pattern 2\n\n" : "Pattern 1\n\n");
    ASSERT_EQ(lines.size(), 3u);
    for (const auto& line : lines) {
        ASSERT_TRUE(std::is_sorted(line.begin(), line.end()));
        ASSERT_EQ(std::set<int>(line.begin(), line.end()).size(), 6u) << ResultText;
        for (int n : line) {
            ASSERT_TRUE(IsLotteryNumber(n));
            ASSERT_FALSE(latest.count(n)) << ResultText;
            if (ParityMode == PARITY_EVEN_ONLY) {
                ASSERT_EQ(n % 2, 0);
            } else if (ParityMode == PARITY_ODD_ONLY) {
                ASSERT_EQ(n % 2, 1);
            }
        }
    }
}

void ExpectTicketsValid(std::mt19937& random) {
    for (auto& flag : DecadeFlags) {
        flag = static_cast<std::uint8_t>(random() % 3 == 0);
    }
    for (auto& flag : PastDrawFlags) {
        flag = static_cast<std::uint8_t>(random() % 4 == 0);
    }
    std::set<int> excluded;
    for (int k = 0; k < PAST_DRAW_FLAGS; ++k) {
        if (PastDrawFlags[k] && drawCount - 1 - k >= 0) {
            for (int p = 0; p < MAIN_NUMBERS; ++p) {
                excluded.insert(DrawHistory[drawCount - 1 - k][p]);
            }
        }
    }
    for (int n = 1; n <= 43; ++n) {
        if (DecadeFlags[n <= 40 ? (n - 1) / 10 : 4]) {
            excluded.insert(n);
        }
    }
    int available = 0;
    for (int n = 1; n <= 43; ++n) {
        available += excluded.count(n) ? 0 : 1;
    }
    BeginResult("Type 2\n\n");
    GenerateTickets();
    auto lines = ResultLines(ResultText, "Type 2\n\n");
    ASSERT_EQ(lines.size(), 5u);
    std::set<int> all;
    for (const auto& line : lines) {
        ASSERT_EQ(std::set<int>(line.begin(), line.end()).size(), 6u) << ResultText;
        for (int n : line) {
            ASSERT_TRUE(IsLotteryNumber(n));
            all.insert(n);
            if (available >= 30) {
                ASSERT_FALSE(excluded.count(n)) << ResultText;
            }
        }
    }
    if (available >= 30) {
        EXPECT_EQ(all.size(), 30u);
    }
    for (std::uint8_t mark : TicketExclusion) {
        ASSERT_EQ(mark, 0);
    }
}

void ExpectReportsTerminated() {
    std::memset(ReportText, 0, sizeof ReportText);
    FormatProbabilityReport();
    ASSERT_NE(std::memchr(ReportText, '\0', sizeof ReportText), nullptr);
    ASSERT_LT(std::strlen(ReportText), 1000u);
    std::memset(ReportText, 0, sizeof ReportText);
    FormatRecentDraws();
    ASSERT_LT(std::strlen(ReportText), 10u * 47u);
}

void RunEveryRequest(std::mt19937& random) {
    for (std::int32_t parity : {PARITY_NORMAL, PARITY_EVEN_ONLY, PARITY_ODD_ONLY}) {
        ParityMode = parity;
        StopClockAt(static_cast<std::uint32_t>(random()));
        BeginResult("Pattern 1\n\n");
        GenerateUniform();
        GeneratePooled();
        GenerateInverse();
        ExpectTypeOneLinesValid(false);
        BeginResult("Pattern 2\n\n");
        GenerateUniformNoRepeat();
        GeneratePooledNoRepeat();
        GenerateInverseNoRepeat();
        ExpectTypeOneLinesValid(true);
    }
    ExpectTicketsValid(random);
    ExpectReportsTerminated();
}

class Properties : public CoreTest {};

TEST_F(Properties, WellFormedHistories) {
    std::mt19937 random(20261206);
    for (int round = 0; round < 150; ++round) {
        ResetState();
        ASSERT_EQ(LoadBytes(WellFormedHistory(random)), 1);
        ComputePercentages();
        ExpectTablesConsistent();
        RunEveryRequest(random);
        if (HasFatalFailure()) {
            return;
        }
    }
}

TEST_F(Properties, HostileHistories) {
    std::mt19937 random(43);
    int loaded = 0;
    for (int round = 0; round < 300; ++round) {
        ResetState();
        ShownMessageBoxes().clear();
        std::string bytes = HostileHistory(random);
        if (LoadBytes(bytes) == 0) {
            ASSERT_EQ(ShownMessageBoxes().size(), 1u);
            continue;
        }
        ++loaded;
        ComputePercentages();
        ExpectTablesConsistent();
        RunEveryRequest(random);
        if (HasFatalFailure()) {
            return;
        }
    }
    EXPECT_GT(loaded, 100);
}

} // namespace
