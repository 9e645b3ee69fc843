// The steps that start a result and turn a finished pick into one "%02d ..." line of
// ResultText.
#include "core/generate/pick.h"

#include "core/history/line_writer.h"
#include "core/history/state.h"

#include <cstring>
#include <ctime>

std::uint32_t SystemCalendarClock() {
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(std::time(nullptr)));
}

std::uint32_t (*CalendarClock)() = SystemCalendarClock;

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
    // The exchange sort, with each exchange done by masks instead of a branch: with
    // random numbers a branch on the comparison is mispredicted about half the time,
    // which costs more than the random steps that drew the pick.
    int entries[MAIN_NUMBERS];
    for (int i = 0; i < MAIN_NUMBERS; ++i) {
        entries[i] = Pick[i];
    }
    for (int i = 0; i < MAIN_NUMBERS - 1; ++i) {
        for (int j = i + 1; j < MAIN_NUMBERS; ++j) {
            int outOfOrder = -static_cast<int>(entries[i] > entries[j]); // all ones or zero
            int exchange = (entries[i] ^ entries[j]) & outOfOrder;
            entries[i] ^= exchange;
            entries[j] ^= exchange;
        }
    }
    for (int i = 0; i < MAIN_NUMBERS; ++i) {
        Pick[i] = static_cast<std::uint8_t>(entries[i]);
    }
}

void AppendPickLine() {
    // Room for any 8-bit value, though a pick holds only 1..43 (18 characters a line).
    char buffer[32];
    std::memset(buffer, 0, sizeof buffer);
    LineWriter line = StartLine(buffer, sizeof buffer);
    for (int i = 0; i < MAIN_NUMBERS; ++i) {
        PutNumber(line, Pick[i], 2, '0'); // "%02d"
        PutChar(line, i + 1 < MAIN_NUMBERS ? ' ' : '\n');
    }
    AppendToText(ResultText, sizeof ResultText, buffer);
}
