// The shared state as the process holds it when the entry routine begins: every
// table and option zero, the random source in its first state. Used by the core
// test fixture and the history fuzzer, which both start each case from there.
#pragma once

#include "generate/random_source.h"
#include "history/state.h"

#include <cstring>

inline void ResetToProgramStart() {
    SeedRandom(1);
    ResetState();
    ParityMode = PARITY_NORMAL;
    excludePrevious = 0;
    std::memset(DecadeFlags, 0, sizeof DecadeFlags);
    std::memset(PastDrawFlags, 0, sizeof PastDrawFlags);
    std::memset(PendingDecadeFlags, 0, sizeof PendingDecadeFlags);
    std::memset(PendingPastDrawFlags, 0, sizeof PendingPastDrawFlags);
    std::memset(ResultText, 0, sizeof ResultText);
    std::memset(ReportText, 0, sizeof ReportText);
}
