// The pick helpers every generator shares: the start of a result, seeded from the
// clock, the parity filter, the sort and the output line.
#pragma once

#include "core/history/random_source.h"

#include <cstdint>

// The calendar clock in whole seconds since 1970, modulo 2^32. BeginResult reads it
// through this pointer, so tests can stand still in time.
extern std::uint32_t (*CalendarClock)();
std::uint32_t SystemCalendarClock();

void BeginResult(const char* header);
std::int32_t RejectByParity(std::uint8_t number);
void SortPick();
void AppendPickLine();
