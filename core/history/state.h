// The shared state of KIVO6: draw history, per-number statistics, weighted pool,
// working pick, user options and the two text buffers. Every table is module-level
// and fixed in size; the reader, statistics, generators and dialogs all work on it.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr int NUMBER_COUNT = 43;      // lottery numbers are 1..43
inline constexpr int MAIN_NUMBERS = 6;       // positions 0..5 of a draw
inline constexpr int DRAW_SIZE = 7;          // six main numbers and the bonus number
inline constexpr int HISTORY_CAPACITY = 256; // rows of DrawHistory
inline constexpr int POOL_CAPACITY = 143;    // 100 + 43: the most the pool rule can produce
inline constexpr int PICK_SIZE = 7;
inline constexpr int DECADE_GROUPS = 5;
inline constexpr int PAST_DRAW_FLAGS = 10;
inline constexpr std::size_t RESULT_TEXT_SIZE = 256;
inline constexpr std::size_t REPORT_TEXT_SIZE = 2048;

inline constexpr std::int32_t PARITY_NORMAL = 0;
inline constexpr std::int32_t PARITY_EVEN_ONLY = 1;
inline constexpr std::int32_t PARITY_ODD_ONLY = 2;

// One past draw: positions 0..5 the main numbers in file order, position 6 the bonus.
using DrawRecord = std::uint8_t[DRAW_SIZE];

// History
extern DrawRecord DrawHistory[HISTORY_CAPACITY];
extern std::int32_t drawCount;

// NumberStats: entry n - 1 belongs to number n.
extern std::uint8_t mainCounts[NUMBER_COUNT];
extern std::uint8_t bonusCounts[NUMBER_COUNT];
extern std::int32_t mainTotal;
extern float percent[NUMBER_COUNT];

// Weighted pool
extern std::uint8_t WeightedPool[POOL_CAPACITY];
extern std::uint32_t poolLength;
extern std::uint8_t PoolScratch[POOL_CAPACITY];

// Generation
extern std::uint8_t Pick[PICK_SIZE];
extern std::int32_t ParityMode;
extern std::int32_t excludePrevious;
extern std::uint8_t DecadeFlags[DECADE_GROUPS];
extern std::uint8_t PastDrawFlags[PAST_DRAW_FLAGS];
extern std::uint8_t PendingDecadeFlags[DECADE_GROUPS];
extern std::uint8_t PendingPastDrawFlags[PAST_DRAW_FLAGS];
extern std::uint8_t TicketExclusion[NUMBER_COUNT];

// Text (code page 932, zero-terminated)
extern char ResultText[RESULT_TEXT_SIZE];
extern char ReportText[REPORT_TEXT_SIZE];

// Clears the history, statistics, pool, pick and ticket marks; leaves the user's
// options and the text buffers as they are.
void ResetState();

// Every variable above, and the random source, as the process holds them when it
// loads: the options and texts zero too. KIVO6 loads once and needs no such step;
// program start takes it so that a start inside a running process (kivo6-check's
// backtest, the tests) begins where the program does.
void ResetToProgramLoad();

// Appends a zero-terminated piece to the zero-terminated text in a buffer of the
// given capacity. What would not fit is left off, so the buffer always stays
// terminated inside its bounds.
void AppendToText(char* text, std::size_t capacity, const char* piece);

// True for the numbers 1..43; a history value outside them names no number.
constexpr bool IsLotteryNumber(int value) {
    return value >= 1 && value <= NUMBER_COUNT;
}
