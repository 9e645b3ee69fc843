// Definitions of the shared tables and their reset. All of them are zero when the
// program loads; ResetState clears the data half again before the history is read.
#include "core/history/state.h"

#include "core/history/random_source.h"

#include <cstring>

DrawRecord DrawHistory[HISTORY_CAPACITY];
std::int32_t drawCount;

std::uint8_t mainCounts[NUMBER_COUNT];
std::uint8_t bonusCounts[NUMBER_COUNT];
std::int32_t mainTotal;
float percent[NUMBER_COUNT];

std::uint8_t WeightedPool[POOL_CAPACITY];
std::uint32_t poolLength;
std::uint8_t PoolScratch[POOL_CAPACITY];

std::uint8_t Pick[PICK_SIZE];
std::int32_t ParityMode;
std::int32_t excludePrevious;
std::uint8_t DecadeFlags[DECADE_GROUPS];
std::uint8_t PastDrawFlags[PAST_DRAW_FLAGS];
std::uint8_t PendingDecadeFlags[DECADE_GROUPS];
std::uint8_t PendingPastDrawFlags[PAST_DRAW_FLAGS];
std::uint8_t TicketExclusion[NUMBER_COUNT];

char ResultText[RESULT_TEXT_SIZE];
char ReportText[REPORT_TEXT_SIZE];

void ResetState() {
    mainTotal = 0;
    drawCount = 0;
    poolLength = 0;
    std::memset(mainCounts, 0, sizeof mainCounts);
    for (float& share : percent) {
        share = 0.0f;
    }
    std::memset(bonusCounts, 0, sizeof bonusCounts);
    std::memset(WeightedPool, 0, sizeof WeightedPool);
    std::memset(Pick, 0, sizeof Pick);
    std::memset(PoolScratch, 0, sizeof PoolScratch);
    std::memset(DrawHistory, 0, sizeof DrawHistory);
    std::memset(TicketExclusion, 0, sizeof TicketExclusion);
}

void ResetToProgramLoad() {
    ResetState();
    SeedRandom(1);
    ParityMode = PARITY_NORMAL;
    excludePrevious = 0;
    std::memset(DecadeFlags, 0, sizeof DecadeFlags);
    std::memset(PastDrawFlags, 0, sizeof PastDrawFlags);
    std::memset(PendingDecadeFlags, 0, sizeof PendingDecadeFlags);
    std::memset(PendingPastDrawFlags, 0, sizeof PendingPastDrawFlags);
    std::memset(ResultText, 0, sizeof ResultText);
    std::memset(ReportText, 0, sizeof ReportText);
}

void AppendToText(char* text, std::size_t capacity, const char* piece) {
    const void* end = std::memchr(text, '\0', capacity);
    if (end == nullptr) {
        return;
    }
    std::size_t used = static_cast<std::size_t>(static_cast<const char*>(end) - text);
    std::size_t length = std::strlen(piece);
    std::size_t room = capacity - 1 - used;
    if (length > room) {
        length = room;
    }
    std::memcpy(text + used, piece, length);
    text[used + length] = '\0';
}
