// A fair 6-of-43 draw's exact counts, for the figures kivo6-check sets beside what it
// measures: the backtest's matches and the prize tiers of --tickets.
#pragma once

#include "core/history/state.h"

// The ways to choose k things of n, exactly.
constexpr long long Choose(int n, int k) {
    long long ways = 1;
    for (int i = 1; i <= k; ++i) {
        ways = ways * (n - k + i) / i;
    }
    return ways;
}

// The lines of six numbers a draw tells apart: C(43, 6).
inline constexpr long long ALL_LINES = Choose(NUMBER_COUNT, MAIN_NUMBERS);

// Of them, how many share exactly `k` numbers with a draw's six main numbers: k of
// those six, and 6 - k of the 37 numbers the draw left out (the bonus among them).
constexpr long long LinesMatching(int k) {
    return Choose(MAIN_NUMBERS, k) * Choose(NUMBER_COUNT - MAIN_NUMBERS, MAIN_NUMBERS - k);
}
