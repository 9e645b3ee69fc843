// Shares in percent with exactly two single-precision roundings, and the weighted pool
// in which number n fills one cell plus one per whole percent of its share.
#include "core/stats/shares.h"

#include "core/history/random_source.h"
#include "core/history/state.h"

#include <cfloat>
#include <cstring>

// Excess precision (x87 arithmetic) would change the shares, and with them the pool and
// every suggestion; builds must compute float in float.
#if defined(FLT_EVAL_METHOD) && FLT_EVAL_METHOD != 0 && FLT_EVAL_METHOD != -1
#error "float arithmetic must not carry excess precision; build with SSE2 math"
#endif

namespace {

void AppendToPool(std::uint8_t number) {
    // Shares add up to at most 100, so the pool stays within 100 + 43 cells.
    if (poolLength < POOL_CAPACITY) {
        WeightedPool[poolLength] = number;
        ++poolLength;
    }
}

} // namespace

void ComputePercentages() {
    // The pool is built from the shares alone, so a second call builds it again
    // rather than appending past the first.
    poolLength = 0;
    for (int i = 0; i < NUMBER_COUNT; ++i) {
        if (mainCounts[i] != 0) {
            percent[i] = static_cast<float>(mainCounts[i]) / static_cast<float>(mainTotal);
            percent[i] = percent[i] * 100.0f;
        }
    }
    for (int i = 0; i < NUMBER_COUNT; ++i) {
        int cells = 1;
        if (percent[i] != 0.0f) {
            cells = static_cast<int>(percent[i]) + 1;
        }
        for (int cell = 0; cell < cells; ++cell) {
            AppendToPool(static_cast<std::uint8_t>(i + 1));
        }
    }
    ShufflePool();
}

void ShufflePool() {
    std::memcpy(PoolScratch, WeightedPool, poolLength);
    std::memset(WeightedPool, 0, sizeof WeightedPool);
    std::uint32_t placed = 0;
    while (placed < poolLength) {
        std::uint32_t cell = static_cast<std::uint32_t>(NextRandom()) % poolLength;
        if (WeightedPool[cell] == 0) {
            WeightedPool[cell] = PoolScratch[placed];
            ++placed;
        }
    }
}
