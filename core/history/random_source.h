// The one pseudo-random source: a linear congruential generator whose state word is
// part of the program's state. The weighted pool's shuffle and every generator draw
// from it, and only the start of a result seeds it.
#pragma once

#include <cstdint>

// The generator's state word: 1 at program start, replaced by every BeginResult.
extern std::uint32_t RandomSource;

void SeedRandom(std::uint32_t seed);
std::int32_t NextRandom();
