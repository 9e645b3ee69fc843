// The Type 2 tickets: 30 numbers drawn without repetition from those the settings
// leave available, starting again from all 43 when they run out, dealt as five
// sorted tickets of six.
#include "core/generate/generators.h"

#include "core/generate/pick.h"
#include "core/history/state.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {

constexpr int TICKETS = 5;
constexpr int DRAWN_NUMBERS = TICKETS * MAIN_NUMBERS;

constexpr int DecadeFirst[DECADE_GROUPS] = {1, 11, 21, 31, 41};
constexpr int DecadeLast[DECADE_GROUPS] = {10, 20, 30, 40, 43};

void MarkPastDraws() {
    for (int k = 0; k < PAST_DRAW_FLAGS; ++k) {
        int row = drawCount - 1 - k;
        // A flag naming a draw the history does not hold marks nothing.
        if (PastDrawFlags[k] == 0 || row < 0) {
            continue;
        }
        for (int position = 0; position < MAIN_NUMBERS; ++position) {
            int number = DrawHistory[row][position];
            if (IsLotteryNumber(number)) {
                TicketExclusion[number - 1] = 1;
            }
        }
    }
}

void MarkDecades() {
    for (int g = 0; g < DECADE_GROUPS; ++g) {
        if (DecadeFlags[g] == 0) {
            continue;
        }
        for (int number = DecadeFirst[g]; number <= DecadeLast[g]; ++number) {
            TicketExclusion[number - 1] = 1;
        }
    }
}

int CountAvailable() {
    return static_cast<int>(
        std::count(std::begin(TicketExclusion), std::end(TicketExclusion), std::uint8_t{0}));
}

} // namespace

void GenerateTickets() {
    std::uint8_t drawn[DRAWN_NUMBERS] = {};
    MarkPastDraws();
    MarkDecades();
    int count = 0;
    // Kept as numbers are drawn, so a miss costs one comparison instead of a look
    // through all 43 marks; near the end of a long draw most attempts are misses.
    int available = CountAvailable();
    do {
        int index = NextRandom() % NUMBER_COUNT;
        if (TicketExclusion[index] == 0) {
            drawn[count] = static_cast<std::uint8_t>(index + 1);
            TicketExclusion[index] = 1;
            ++count;
            --available;
        } else if (available == 0) {
            std::memset(TicketExclusion, 0, sizeof TicketExclusion);
            // Every number is available again, but the ticket being filled keeps its
            // numbers marked, so no ticket can show one number twice.
            for (int position = count - count % MAIN_NUMBERS; position < count; ++position) {
                TicketExclusion[drawn[position] - 1] = 1;
            }
            available = CountAvailable();
        }
    } while (count < DRAWN_NUMBERS);

    for (int ticket = 0; ticket < TICKETS; ++ticket) {
        std::memset(Pick, 0, sizeof Pick);
        std::memcpy(Pick, drawn + ticket * MAIN_NUMBERS, MAIN_NUMBERS);
        SortPick();
        AppendPickLine();
    }
    std::memset(TicketExclusion, 0, sizeof TicketExclusion);
}
