// The backtest of kivo6-check: for each of the latest draws, the Type 1 lines KIVO6
// would have suggested from the draws before it, over many fixed clock seconds, and
// how many numbers of the actual draw they hit, beside a fair draw's exact figures.
#pragma once

#include "check/history_check.h"
#include "import/language.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct BacktestSettings {
    int draws = 100;             // the latest draws tested, each against those before it
    int seeds = 10000;           // Type 1 requests per tested draw
    std::uint32_t firstSeed = 1; // request k is made at clock second firstSeed + k * SEED_STEP
};

// Odd, so the seconds of one run are all distinct, and far from 1, so that requests
// do not start from neighbouring generator states.
inline constexpr std::uint32_t SEED_STEP = 2654435761u;

// The three lines of a Type 1 result, in the order they are shown.
enum class Rule { Uniform, Pooled, Inverse };
inline constexpr int RULE_COUNT = 3;

struct RuleFigures {
    double meanMatches;      // numbers of the actual draw (main numbers) on a line
    double meanError;        // standard error, from the spread between tested draws
    double shareThreeOrMore; // lines with 3 or more of them
    double shareError;
};

struct BacktestFigures {
    int draws;       // tested draws (fewer than asked when the history is short)
    int firstDraw;   // the first tested draw: how many draws of the file stand before it
    long long lines; // lines per rule
    RuleFigures rules[RULE_COUNT];
};

// Reports progress: tested draws so far, of the total.
using BacktestProgress = std::function<void(int done, int total)>;

// Tests the latest draws of the file, each on the draws before it as KIVO6 would have
// read them then (the newest 256), and leaves KIVO6's state as start-up on the whole
// file leaves it.
BacktestFigures RunBacktest(const BacktestSettings& settings, const std::vector<FileDraw>& draws,
                            const BacktestProgress& progress);

// A fair 6-of-43 draw against any fixed line of six numbers.
double FairMeanMatches();      // 36/43
double FairShareThreeOrMore(); // hypergeometric: P(3 or more of 6)

// The whole report: what was run (with its seeds, so it can be repeated), the table,
// and one sentence on what the differences mean.
std::string FormatBacktest(std::string_view fileName, const BacktestSettings& settings,
                           const BacktestFigures& figures, Language language);
