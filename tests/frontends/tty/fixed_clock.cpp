// Linked into kivo6-tty-fixed-clock, the test variant of kivo6-tty: the calendar
// clock stands still at KIVO6_FIXED_SECOND from static initialisation on, so every
// result the program shows can be computed exactly by the tests.
#include "generate/random_source.h"

namespace {

std::uint32_t FixedClock() {
    return KIVO6_FIXED_SECOND;
}

[[maybe_unused]] const bool clockFixed = (CalendarClock = FixedClock, true);

} // namespace
