// Tests of kivo6-check's backtest: the requests' clock seconds and the counting of
// matches, on draws built from known lines; the three rules against an exact model of
// their lines, each tested draw seeing only the draws before it; and the report.
#include "check/backtest.h"

#include "core/history/state.h"
#include "support/core_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

class BacktestTest : public CoreTest {};

// The draws as the file check hands them to the backtest.
std::vector<FileDraw> FileDraws(const std::vector<Draw>& draws) {
    std::vector<FileDraw> file(draws.size());
    for (std::size_t draw = 0; draw < draws.size(); ++draw) {
        for (std::size_t position = 0; position < DRAW_SIZE; ++position) {
            file[draw][position] = static_cast<std::uint8_t>(draws[draw][position]);
        }
    }
    return file;
}

// From the random source's definition: state 1 gives the uniform line 13 14 21 30 35
// 42; state 1 + 2654435761, the second request's, gives 02 12 16 29 35 39. They share
// 35. Each draw below is one of the two lines, its bonus number from the other, so
// every tested draw's two uniform lines match 6 and 1 of its main numbers.
TEST_F(BacktestTest, RequestsAreMadeAtTheStatedSecondsAndCountMainNumbersOnly) {
    const std::vector<Draw> draws = {{13, 14, 21, 30, 35, 42, 2}, {2, 12, 16, 29, 35, 39, 13}};
    StartWith(draws);
    // Whatever the user chose, requests are made as the Type 1 button makes them
    // with normal parity and the check box clear.
    ParityMode = PARITY_EVEN_ONLY;
    excludePrevious = 1;
    // Ten draws asked for: the short history is tested whole.
    const BacktestFigures figures =
        RunBacktest({.draws = 10, .seeds = 2, .firstSeed = 1}, FileDraws(draws), {});
    EXPECT_EQ(std::tuple(figures.draws, figures.firstDraw, figures.lines), std::tuple(2, 0, 4LL));
    const RuleFigures& uniform = figures.rules[static_cast<int>(Rule::Uniform)];
    EXPECT_EQ(std::tuple(uniform.meanMatches, uniform.meanError, uniform.shareThreeOrMore,
                         uniform.shareError),
              std::tuple(3.5, 0.0, 0.5, 0.0));
}

// Three draws of 1..6 (bonus 7), then two of 1 2 3 38 39 40 (bonus 37), the last two
// tested. Before row 3, 1..6 hold 3 of 18 main numbers each (16.7%: 17 pool cells, the
// roll passes 84 in 100); before row 4, 1..3 hold 4 of 24 (16.7% again), 4..6 3 of 24
// (12.5%: 13 cells, 88 in 100) and 38..40 one each (4.2%: 5 cells, 96 in 100); any
// other number has 1 cell and always passes. As generators retry a rejected or repeated
// candidate, a line's numbers are drawn without replacement in proportion to those
// weights (1 each for the uniform rule). Worked out exactly, a line then holds at rows
// 3 and 4 on average: uniform 36/43 both, pooled 2.1194 and 2.6055, inverse 0.7906 and
// 0.7745 of the draw's numbers; over two draws the error is half the difference. Had
// the tested draw or a later one leaked into a draw's past, 38..40 would get more cells
// at row 3, and far more hits.
TEST_F(BacktestTest, EachRuleMatchesAnExactModelOfItsLines) {
    EXPECT_DOUBLE_EQ(FairMeanMatches(), 36.0 / 43.0);
    EXPECT_DOUBLE_EQ(FairShareThreeOrMore(), 165613.0 / 6096454.0);
    std::vector<Draw> draws(3, Draw{1, 2, 3, 4, 5, 6, 7});
    draws.insert(draws.end(), 2, Draw{1, 2, 3, 38, 39, 40, 37});
    StartWith(draws);
    const BacktestFigures figures =
        RunBacktest({.draws = 2, .seeds = 20000, .firstSeed = 12345}, FileDraws(draws), {});
    ASSERT_EQ(figures.firstDraw, 3);
    // Mean matches, their error and the share with 3 or more, worked out the same way.
    const double expected[RULE_COUNT][3] = {
        {0.8372, 0.0, 0.02717}, {2.3624, 0.2431, 0.43703}, {0.7825, 0.0080, 0.02222}};
    for (int rule = 0; rule < RULE_COUNT; ++rule) {
        SCOPED_TRACE(rule);
        const RuleFigures& found = figures.rules[rule];
        // Four standard errors of 20000 lines a draw, at most: 0.025 matches, 1.4% of lines.
        EXPECT_NEAR(found.meanMatches, expected[rule][0], 0.025);
        EXPECT_NEAR(found.meanError, expected[rule][1], 0.025);
        EXPECT_NEAR(found.shareThreeOrMore, expected[rule][2], 0.014);
    }
}

// KIVO6 reads at most the newest 256 draws, so a draw tested after 300 sees the same
// past as in the file cut to the 256 draws before it: the same figures, to the bit.
TEST_F(BacktestTest, ATestedDrawSeesTheNewest256DrawsBeforeIt) {
    std::vector<Draw> draws(44, Draw{38, 39, 40, 41, 42, 43, 37});
    for (int draw = 0; draw < 257; ++draw) {
        draws.push_back({draw % 43 + 1, (draw + 7) % 43 + 1, (draw + 14) % 43 + 1,
                         (draw + 21) % 43 + 1, (draw + 28) % 43 + 1, (draw + 35) % 43 + 1,
                         (draw + 3) % 43 + 1});
    }
    const BacktestSettings settings{.draws = 1, .seeds = 200, .firstSeed = 7};
    const BacktestFigures whole = RunBacktest(settings, FileDraws(draws), {});
    const BacktestFigures cut =
        RunBacktest(settings, FileDraws({draws.begin() + 44, draws.end()}), {});
    EXPECT_EQ(std::tuple(whole.firstDraw, cut.firstDraw), std::tuple(300, 256));
    for (int rule = 0; rule < RULE_COUNT; ++rule) {
        EXPECT_EQ(whole.rules[rule].meanMatches, cut.rules[rule].meanMatches);
        EXPECT_EQ(whole.rules[rule].shareThreeOrMore, cut.rules[rule].shareThreeOrMore);
    }
}

// Forty tested draws whose means stand z standard errors of 0.0061 from 36/43 = 0.83721.
BacktestFigures Figures(double z1, double z2, double z3) {
    BacktestFigures figures{40, 0, 40 * 2500, {}};
    const double z[RULE_COUNT] = {z1, z2, z3};
    for (int rule = 0; rule < RULE_COUNT; ++rule) {
        figures.rules[rule] = {36.0 / 43.0 + z[rule] * 0.0061, 0.0061, 0.0271, 0.0017};
    }
    return figures;
}

TEST(BacktestReport, SaysWhatRanHowToRepeatItTheFiguresAndWhatTheyMean) {
    BacktestFigures figures = Figures(1.9, -2.4, 0.0);
    figures.rules[1].shareThreeOrMore = 0.1;
    EXPECT_EQ(
        FormatBacktest("my data.txt", {.draws = 100, .seeds = 2500, .firstSeed = 7}, figures,
                       Language::English),
        "Backtest of my data.txt: the latest 40 draws (draws 1 to 40), each against the draws "
        "before it.\n"
        "Each draw: 2500 Type 1 requests (Pattern 1, normal) at clock seconds 7 + k × 2654435761 "
        "(mod 2^32), k = 0 to 2499.\n"
        "Repeat with: kivo6-check --backtest 100 --seeds 2500 --first-seed 7 \"my data.txt\"\n"
        "The history holds 40 draws: all of them are tested.\n"
        "\n"
        "Rule                         Mean matches      Fair draw   3 or more        Fair draw\n"
        "Line 1, every number alike   0.8488 ± 0.0061   0.8372      2.71% ± 0.17%    2.72%\n"
        "Line 2, often drawn first    0.8226 ± 0.0061   0.8372      10.00% ± 0.17%   2.72%\n"
        "Line 3, seldom drawn first   0.8372 ± 0.0061   0.8372      2.71% ± 0.17%    2.72%\n"
        "(± is one standard error, from the spread between the tested draws.)\n"
        "\n"
        "Line 2 differs from a fair draw by 2.4 standard errors; among three rules a difference "
        "this large turns up by chance now and then, and in a fair draw the past cannot make any "
        "number likelier.\n");
    // Far beyond chance the history itself is not like fair draws, and a rule that only
    // passes two standard errors is not named beside it.
    const std::string text = FormatBacktest("f", {}, Figures(2.5, 6.2, 0.0), Language::English);
    EXPECT_NE(text.find("\nLine 2 differs from a fair draw by 6.2 standard errors; chance seldom"),
              std::string::npos)
        << text;
}

} // namespace
