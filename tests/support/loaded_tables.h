// What the history reader leaves behind: the history and every counter it fills.
// The core tests and the history fuzzer compare a plain reading with one that the
// listener heard, as kivo6-check reads; they must be the same.
#pragma once

#include "core/history/state.h"

#include <cstdint>
#include <cstring>

struct LoadedTables {
    DrawRecord history[HISTORY_CAPACITY];
    std::int32_t draws;
    std::uint8_t main[NUMBER_COUNT];
    std::uint8_t bonus[NUMBER_COUNT];
    std::int32_t total;
};

inline void TakeLoadedTables(LoadedTables& tables) {
    std::memcpy(tables.history, DrawHistory, sizeof DrawHistory);
    tables.draws = drawCount;
    std::memcpy(tables.main, mainCounts, sizeof mainCounts);
    std::memcpy(tables.bonus, bonusCounts, sizeof bonusCounts);
    tables.total = mainTotal;
}

inline bool SameLoadedTables(const LoadedTables& a, const LoadedTables& b) {
    return a.draws == b.draws && a.total == b.total &&
           std::memcmp(a.history, b.history, sizeof a.history) == 0 &&
           std::memcmp(a.main, b.main, sizeof a.main) == 0 &&
           std::memcmp(a.bonus, b.bonus, sizeof a.bonus) == 0;
}
