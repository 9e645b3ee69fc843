// The linear congruential generator behind every random choice; its arithmetic is
// fixed, since the same history and second must give the same numbers everywhere.
#include "core/history/random_source.h"

std::uint32_t RandomSource = 1;

void SeedRandom(std::uint32_t seed) {
    RandomSource = seed;
}

std::int32_t NextRandom() {
    RandomSource = RandomSource * 214013u + 2531011u;
    return static_cast<std::int32_t>((RandomSource >> 16) & 0x7FFFu);
}
