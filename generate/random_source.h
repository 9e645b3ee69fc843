// The one pseudo-random source and the pick helpers every generator shares: seeding,
// the start of a result, the parity filter, the sort and the output line.
#pragma once

#include <cstdint>

// The generator's state word: 1 at program start, replaced by every BeginResult.
extern std::uint32_t RandomSource;

// The calendar clock in whole seconds since 1970, modulo 2^32. BeginResult reads it
// through this pointer, so tests can stand still in time.
extern std::uint32_t (*CalendarClock)();
std::uint32_t SystemCalendarClock();

void SeedRandom(std::uint32_t seed);
std::int32_t NextRandom();
void BeginResult(const char* header);
std::int32_t RejectByParity(std::uint8_t number);
void SortPick();
void AppendPickLine();
