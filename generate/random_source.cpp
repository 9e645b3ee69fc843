// The linear congruential generator behind every random choice, and the steps that
// start a result and turn a finished pick into one "%02d ..." line of ResultText.
#include "generate/random_source.h"

#include "history/state.h"

#include <cstdio>
#include <cstring>
#include <ctime>
#include <utility>

std::uint32_t RandomSource = 1;

std::uint32_t SystemCalendarClock() {
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(std::time(nullptr)));
}

std::uint32_t (*CalendarClock)() = SystemCalendarClock;

void SeedRandom(std::uint32_t seed) {
    RandomSource = seed;
}

std::int32_t NextRandom() {
    RandomSource = RandomSource * 214013u + 2531011u;
    return static_cast<std::int32_t>((RandomSource >> 16) & 0x7FFFu);
}

void BeginResult(const char* header) {
    SeedRandom(CalendarClock());
    std::memset(ResultText, 0, sizeof ResultText);
    AppendToText(ResultText, sizeof ResultText, header);
}

std::int32_t RejectByParity(std::uint8_t number) {
    bool odd = (number % 2) != 0;
    switch (ParityMode) {
    case PARITY_EVEN_ONLY:
        return odd ? 1 : 0;
    case PARITY_ODD_ONLY:
        return odd ? 0 : 1;
    default:
        return 0;
    }
}

void SortPick() {
    for (int i = 0; i < MAIN_NUMBERS - 1; ++i) {
        for (int j = i + 1; j < MAIN_NUMBERS; ++j) {
            if (Pick[i] > Pick[j]) {
                std::swap(Pick[i], Pick[j]);
            }
        }
    }
}

void AppendPickLine() {
    // Room for any 8-bit value, though a pick holds only 1..43 (18 characters a line).
    char line[32];
    std::memset(line, 0, sizeof line);
    std::snprintf(line, sizeof line, "%02d %02d %02d %02d %02d %02d\n", Pick[0], Pick[1], Pick[2],
                  Pick[3], Pick[4], Pick[5]);
    AppendToText(ResultText, sizeof ResultText, line);
}
