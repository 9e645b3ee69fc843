// Tests of kivo6-check's backtest: a fair draw's exact figures; the requests' clock
// seconds and the counting of matches on draws built from known lines; the three
// rules against an exact model of their lines, each tested draw seeing only the
// draws before it; the loaded state it must leave alone; and the report it writes.
#include "check/backtest.h"

#include "generate/random_source.h"
#include "history/state.h"
#include "stats/shares.h"
#include "support/core_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

BacktestSettings Settings(int draws, int seeds, std::uint32_t firstSeed) {
    BacktestSettings settings;
    settings.draws = draws;
    settings.seeds = seeds;
    settings.firstSeed = firstSeed;
    return settings;
}

BacktestFigures Backtest(int draws, int seeds, std::uint32_t firstSeed) {
    return RunBacktest(Settings(draws, seeds, firstSeed), {});
}

// ---------------------------------------------------------------------------------
// An exact model of one Type 1 line on a history where the numbers fall into three
// groups: the six often drawn before ("heavy"), the six of the tested draw
// ("target") and the 31 others. Every generator retries a rejected or repeated
// candidate, so each shown number is drawn without replacement with a chance in
// proportion to its weight: its pool cells for the pooled rule, its chance to pass
// the share roll for the inverse rule, 1 for the uniform rule. The seventh pick
// comes after the six shown ones and so cannot change them.

constexpr int GROUP_SIZE = 6;
constexpr int OTHERS = NUMBER_COUNT - 2 * GROUP_SIZE;

struct Weights {
    double heavy;
    double target;
    double other;
};

struct LineOdds {
    double meanMatches;
    double matchVariance;
    double threeOrMore;
};

LineOdds ExactLineOdds(const Weights& w) {
    // chance[h][t]: after the picks so far, h heavy and t target numbers among them.
    double chance[GROUP_SIZE + 1][GROUP_SIZE + 1] = {};
    chance[0][0] = 1.0;
    for (int picked = 0; picked < MAIN_NUMBERS; ++picked) {
        double next[GROUP_SIZE + 1][GROUP_SIZE + 1] = {};
        for (int h = 0; h <= picked; ++h) {
            for (int t = 0; h + t <= picked; ++t) {
                int o = picked - h - t;
                double heavy = (GROUP_SIZE - h) * w.heavy;
                double target = (GROUP_SIZE - t) * w.target;
                double other = (OTHERS - o) * w.other;
                double all = heavy + target + other;
                double p = chance[h][t];
                next[h + 1][t] += p * heavy / all;
                next[h][t + 1] += p * target / all;
                next[h][t] += p * other / all;
            }
        }
        std::memcpy(chance, next, sizeof chance);
    }
    LineOdds odds{};
    double meanSquare = 0.0;
    for (int h = 0; h <= GROUP_SIZE; ++h) {
        for (int t = 0; t <= GROUP_SIZE; ++t) {
            odds.meanMatches += t * chance[h][t];
            meanSquare += t * t * chance[h][t];
            odds.threeOrMore += t >= 3 ? chance[h][t] : 0.0;
        }
    }
    odds.matchVariance = meanSquare - odds.meanMatches * odds.meanMatches;
    return odds;
}

// A number drawn `count` times among `total` main numbers: its share in percent fills
// one pool cell plus one per whole percent, and passes the inverse rule's roll
// (100 - whole percent) times in 100.
double PoolCells(int count, int total) {
    return count == 0 ? 1.0 : std::floor(100.0 * count / total) + 1.0;
}
double RollPasses(int count, int total) {
    return (100.0 - std::floor(100.0 * count / total)) / 100.0;
}

Weights RuleWeights(Rule rule, int heavyCount, int targetCount, int total) {
    switch (rule) {
    case Rule::Uniform:
        return {1.0, 1.0, 1.0};
    case Rule::Pooled:
        return {PoolCells(heavyCount, total), PoolCells(targetCount, total), 1.0};
    case Rule::Inverse:
        return {RollPasses(heavyCount, total), RollPasses(targetCount, total), 1.0};
    }
    return {};
}

// ---------------------------------------------------------------------------------

class BacktestTest : public CoreTest {};

TEST(BacktestFairDraw, ExactValuesOfASixOfFortyThreeDraw) {
    EXPECT_DOUBLE_EQ(FairMeanMatches(), 36.0 / 43.0);
    // 20·C(37,3) + 15·C(37,2) + 6·37 + 1 of C(43,6) lines.
    EXPECT_DOUBLE_EQ(FairShareThreeOrMore(), 165613.0 / 6096454.0);
}

// From the random source's definition: state 1 gives the uniform line 13 14 21 30 35
// 42; state 1 + 2654435761, the second request's, gives 02 12 16 29 35 39. They share
// 35. Each draw below is one of the two lines, its bonus number from the other, so
// every tested draw's two uniform lines match 6 and 1 of its main numbers.
TEST_F(BacktestTest, RequestsAreMadeAtTheStatedSecondsAndCountMainNumbersOnly) {
    StartWith({{13, 14, 21, 30, 35, 42, 2}, {2, 12, 16, 29, 35, 39, 13}});
    // Whatever the user chose, requests are made as the Type 1 button makes them
    // with normal parity and the check box clear.
    ParityMode = PARITY_EVEN_ONLY;
    excludePrevious = 1;
    BacktestFigures figures = Backtest(2, 2, 1);
    EXPECT_EQ(figures.draws, 2);
    EXPECT_EQ(figures.firstRow, 0);
    EXPECT_EQ(figures.lines, 4);
    const RuleFigures& uniform = figures.rules[static_cast<int>(Rule::Uniform)];
    EXPECT_EQ(uniform.meanMatches, 3.5);
    EXPECT_EQ(uniform.meanError, 0.0);
    EXPECT_EQ(uniform.shareThreeOrMore, 0.5);
    EXPECT_EQ(uniform.shareError, 0.0);
}

// Three draws of 1..6 (bonus 7), then two of 38..43 (bonus 37), the last two tested.
// Before row 3: 1..6 hold 3 of 18 main numbers each (16.7%: 17 cells, roll passes 84
// in 100). Before row 4: 1..6 hold 3 of 24 (12.5%: 13 cells, 88 in 100) and 38..43
// one each (4.2%: 5 cells, 96 in 100). A backtest that let the tested draw or a later
// one into a draw's past would give 38..43 more cells at row 3, and far more matches.
TEST_F(BacktestTest, EachRuleMatchesAnExactModelOfItsLines) {
    std::vector<Draw> draws(3, Draw{1, 2, 3, 4, 5, 6, 7});
    draws.insert(draws.end(), 2, Draw{38, 39, 40, 41, 42, 43, 37});
    StartWith(draws);
    const int seeds = 20000;
    BacktestFigures figures = Backtest(2, seeds, 12345);
    ASSERT_EQ(figures.draws, 2);
    ASSERT_EQ(figures.firstRow, 3);
    EXPECT_EQ(figures.lines, 2 * seeds);

    for (Rule rule : {Rule::Uniform, Rule::Pooled, Rule::Inverse}) {
        SCOPED_TRACE(static_cast<int>(rule));
        LineOdds row3 = ExactLineOdds(RuleWeights(rule, 3, 0, 18));
        LineOdds row4 = ExactLineOdds(RuleWeights(rule, 3, 1, 24));
        // The two rows' lines come from the same clock seconds and may be correlated,
        // so the error of their average is taken at its largest: the mean of the two.
        double meanError =
            (std::sqrt(row3.matchVariance / seeds) + std::sqrt(row4.matchVariance / seeds)) / 2;
        auto shareSd = [](double p) { return std::sqrt(p * (1 - p)); };
        double shareError = (shareSd(row3.threeOrMore) + shareSd(row4.threeOrMore)) / 2 /
                            std::sqrt(static_cast<double>(seeds));
        const RuleFigures& found = figures.rules[static_cast<int>(rule)];
        EXPECT_NEAR(found.meanMatches, (row3.meanMatches + row4.meanMatches) / 2, 4 * meanError);
        EXPECT_NEAR(found.shareThreeOrMore, (row3.threeOrMore + row4.threeOrMore) / 2,
                    4 * shareError);
        // Two per-draw means a and b have the standard error |a - b| / 2; for the
        // pooled rule that is 0.53, far beyond the noise.
        EXPECT_NEAR(found.meanError, std::fabs(row4.meanMatches - row3.meanMatches) / 2,
                    4 * meanError);
    }
}

TEST_F(BacktestTest, LeavesTheLoadedHistoryAndOptionsAsItFoundThem) {
    StartWith({{1, 2, 3, 4, 5, 6, 7}, {8, 9, 10, 11, 12, 13, 14}, {1, 9, 20, 30, 40, 43, 2}});
    DrawRecord history[HISTORY_CAPACITY];
    std::memcpy(history, DrawHistory, sizeof history);
    float shares[NUMBER_COUNT];
    std::memcpy(shares, percent, sizeof shares);
    std::uint8_t pool[POOL_CAPACITY];
    std::memcpy(pool, WeightedPool, sizeof pool);
    const std::uint32_t length = poolLength;
    const std::uint32_t randomState = RandomSource;
    StopClockAt(77);
    ParityMode = PARITY_ODD_ONLY;
    excludePrevious = 1;
    std::strcpy(ResultText, "shown before");

    Backtest(2, 50, 1);

    EXPECT_EQ(drawCount, 3);
    EXPECT_EQ(std::memcmp(history, DrawHistory, sizeof history), 0);
    EXPECT_EQ(std::memcmp(shares, percent, sizeof shares), 0);
    EXPECT_EQ(poolLength, length);
    EXPECT_EQ(std::memcmp(pool, WeightedPool, sizeof pool), 0);
    EXPECT_EQ(RandomSource, randomState);
    EXPECT_EQ(CalendarClock(), 77u);
    EXPECT_EQ(ParityMode, PARITY_ODD_ONLY);
    EXPECT_EQ(excludePrevious, 1);
    EXPECT_STREQ(ResultText, "shown before");
}

TEST_F(BacktestTest, ShortHistoryIsTestedWholeAndAnEmptyOneNotAtAll) {
    StartWith({{1, 2, 3, 4, 5, 6, 7}, {8, 9, 10, 11, 12, 13, 14}, {1, 9, 20, 30, 40, 43, 2}});
    std::vector<std::pair<int, int>> reported;
    auto record = [&reported](int done, int total) { reported.emplace_back(done, total); };
    BacktestFigures figures = RunBacktest(Settings(10, 40, 1), record);
    EXPECT_EQ(figures.draws, 3);
    EXPECT_EQ(figures.firstRow, 0);
    EXPECT_EQ(figures.lines, 120);
    EXPECT_EQ(reported, (std::vector<std::pair<int, int>>{{1, 3}, {2, 3}, {3, 3}}));

    StartWith({});
    reported.clear();
    figures = RunBacktest(Settings(10, 40, 1), record);
    EXPECT_EQ(figures.draws, 0);
    EXPECT_EQ(figures.lines, 0);
    EXPECT_TRUE(reported.empty());
    std::string text = FormatBacktest("data.txt", Settings(10, 40, 1), figures, Language::English);
    EXPECT_NE(text.find("holds no draws"), std::string::npos) << text;
}

// ---------------------------------------------------------------------------------
// The report.

BacktestFigures FiguresAround(double zUniform, double zPooled, double zInverse) {
    BacktestFigures figures{};
    figures.draws = 100;
    figures.firstRow = 50;
    figures.lines = 1000000;
    const double z[RULE_COUNT] = {zUniform, zPooled, zInverse};
    for (int rule = 0; rule < RULE_COUNT; ++rule) {
        figures.rules[rule].meanError = 0.0061;
        figures.rules[rule].meanMatches = 36.0 / 43.0 + z[rule] * 0.0061;
        figures.rules[rule].shareThreeOrMore = 0.0271;
        figures.rules[rule].shareError = 0.0017;
    }
    return figures;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// Terminal column where each cell of a table line starts; cells stand at least two
// spaces apart, and a kana, kanji or full-width character takes two columns.
std::vector<int> CellColumns(const std::string& line) {
    std::vector<int> starts;
    int column = 0;
    int spaces = 2;
    for (std::size_t i = 0; i < line.size(); ++i) {
        auto byte = static_cast<unsigned char>(line[i]);
        if ((byte & 0xC0) == 0x80) {
            continue; // the rest of a character already counted
        }
        if (line[i] == ' ') {
            ++spaces;
        } else {
            if (spaces >= 2) {
                starts.push_back(column);
            }
            spaces = 0;
        }
        column += byte >= 0xE0 ? 2 : 1;
    }
    return starts;
}

TEST(BacktestReport, SaysHowToRepeatTheRunWithItsSettings) {
    BacktestFigures figures = FiguresAround(0, 0, 0);
    std::string text =
        FormatBacktest("data.txt", Settings(100, 2500, 7), figures, Language::English);
    EXPECT_TRUE(Contains(text, "kivo6-check --backtest 100 --seeds 2500 --first-seed 7 data.txt"))
        << text;
    EXPECT_TRUE(Contains(text, "7 + k × 2654435761 (mod 2^32), k = 0 to 2499")) << text;
    EXPECT_TRUE(Contains(text, "draws 51 to 150")) << text;
    EXPECT_FALSE(Contains(text, "all of them are tested")) << text;

    // A history shorter than asked for is tested whole, and the same request repeats it.
    figures.draws = 40;
    figures.firstRow = 0;
    std::string japanese =
        FormatBacktest("my data.txt", Settings(100, 2500, 7), figures, Language::Japanese);
    EXPECT_TRUE(Contains(japanese,
                         "kivo6-check --backtest 100 --seeds 2500 --first-seed 7 \"my data.txt\""))
        << japanese;
    EXPECT_TRUE(Contains(japanese, "k = 0 ～ 2499")) << japanese;
    EXPECT_TRUE(Contains(japanese, "第 1 回から第 40 回")) << japanese;
    EXPECT_TRUE(Contains(japanese, "履歴には 40 回しかない")) << japanese;
}

TEST(BacktestReport, TableShowsFiguresBesideAFairDrawInAlignedColumns) {
    BacktestFigures figures = FiguresAround(0, 0, 0);
    figures.rules[0].meanMatches = 0.8371;
    figures.rules[1].shareThreeOrMore = 0.1;
    for (Language language : {Language::English, Language::Japanese}) {
        std::string text = FormatBacktest("data.txt", Settings(100, 2500, 1), figures, language);
        std::vector<std::string> lines = Lines(text);
        std::size_t header = 0;
        while (header < lines.size() && CellColumns(lines[header]).size() != 5) {
            ++header;
        }
        ASSERT_LE(header + 3, lines.size() - 1) << text;
        const std::vector<int> columns = CellColumns(lines[header]);
        for (std::size_t row = header + 1; row <= header + 3; ++row) {
            EXPECT_EQ(CellColumns(lines[row]), columns) << text;
        }
        // 36/43 = 0.83721; 165613/6096454 = 2.7166%.
        EXPECT_TRUE(Contains(lines[header + 1], "0.8371 ± 0.0061   0.8372")) << text;
        EXPECT_TRUE(Contains(lines[header + 1], "2.71% ± 0.17%    2.72%")) << text;
        EXPECT_TRUE(Contains(lines[header + 2], "10.00% ± 0.17%")) << text;
    }
}

TEST(BacktestReport, ClosingSentenceNamesOnlyRulesBeyondTwoStandardErrors) {
    struct Case {
        double z[RULE_COUNT];
        const char* says;
        const char* doesNotSay;
    };
    const Case cases[] = {
        {{1.9, -1.5, 0.2}, "No rule differs from a fair draw", "Line"},
        {{1.9, -2.4, 0.2},
         "Line 2 differs from a fair draw by 2.4 standard errors; among three",
         "Line 1"},
        {{2.1, 0.0, 3.0}, "Line 1 and Line 3 differ from a fair draw by 2.1 and 3.0", "Line 2"},
        // Far beyond chance: the history itself is not like fair draws, and a rule
        // that only passes two standard errors is not named beside it.
        {{0.5, 6.2, 2.5},
         "Line 2 differs from a fair draw by 6.2 standard errors; chance seldom",
         "Line 3"},
    };
    for (const Case& c : cases) {
        BacktestFigures figures = FiguresAround(c.z[0], c.z[1], c.z[2]);
        const std::string last =
            Lines(FormatBacktest("data.txt", Settings(100, 2500, 1), figures, Language::English))
                .back();
        EXPECT_TRUE(Contains(last, c.says)) << last;
        EXPECT_FALSE(Contains(last, c.doesNotSay)) << last;
    }
    const std::string japanese =
        Lines(FormatBacktest("data.txt", Settings(100, 2500, 1), FiguresAround(1.9, -2.4, 0.2),
                             Language::Japanese))
            .back();
    EXPECT_TRUE(Contains(japanese, "2 行目は公正な抽選と標準誤差の 2.4 倍")) << japanese;

    // One tested draw: the means may be far off, but there is no error to judge them by.
    BacktestFigures one = FiguresAround(9, 9, 9);
    for (RuleFigures& rule : one.rules) {
        rule.meanError = 0.0;
    }
    const std::string verdict =
        Lines(FormatBacktest("data.txt", Settings(1, 2500, 1), one, Language::English)).back();
    EXPECT_TRUE(Contains(verdict, "say nothing either way")) << verdict;
}

} // namespace
