// See history_invariants.h. Each check returns what broke, or nullptr, and the first
// broken rule ends the run: a broken table may make every later check meaningless.
#include "support/history_invariants.h"

#include "generate/generators.h"
#include "generate/random_source.h"
#include "history/history_file.h"
#include "history/state.h"
#include "stats/reports.h"
#include "stats/shares.h"
#include "support/loaded_tables.h"
#include "support/program_start.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <string_view>

#define REQUIRE(holds, what)                                                                       \
    do {                                                                                           \
        if (!(holds)) {                                                                            \
            return what;                                                                           \
        }                                                                                          \
    } while (0)

#define PASSES(step)                                                                               \
    do {                                                                                           \
        if (const char* broken = (step)) {                                                         \
            return broken;                                                                         \
        }                                                                                          \
    } while (0)

namespace {

constexpr int TYPE_ONE_LINES = 3;
constexpr int TICKETS = 5;
constexpr int RECENT_DRAWS_SHOWN = 10;

// A clock that moves on one second at every reading, from a start taken from the input:
// each request of a run gets its own seed, and the same input always the same seeds.
std::uint32_t clockSecond;
std::uint32_t TickingClock() {
    return clockSecond++;
}

std::uint8_t ByteFromEnd(const std::uint8_t* data, std::size_t size, std::size_t back) {
    return back < size ? data[size - 1 - back] : 0;
}

// The options come from the end of the input, so every seed stays a data.txt the
// program itself could be given.
void TakeOptionsFrom(const std::uint8_t* data, std::size_t size) {
    unsigned flags = static_cast<unsigned>(ByteFromEnd(data, size, 0)) |
                     static_cast<unsigned>(ByteFromEnd(data, size, 1)) << 8;
    for (int g = 0; g < DECADE_GROUPS; ++g) {
        DecadeFlags[g] = static_cast<std::uint8_t>((flags >> g) & 1u);
    }
    for (int k = 0; k < PAST_DRAW_FLAGS; ++k) {
        PastDrawFlags[k] = static_cast<std::uint8_t>((flags >> (DECADE_GROUPS + k)) & 1u);
    }
    clockSecond = 0;
    for (std::size_t back = 2; back < 6; ++back) {
        clockSecond = clockSecond << 8 | ByteFromEnd(data, size, back);
    }
    CalendarClock = TickingClock;
}

// A listening hook must hear sound places and change nothing that is loaded.
const char* brokenNote;
void CheckNote(const ReadingNote& note) {
    const char* broken = nullptr;
    if (note.line < 1 || note.column < 1) {
        broken = "a note without a place";
    } else if (note.event == ReadingEvent::Value) {
        if (note.row < 0 || note.row > HISTORY_CAPACITY) {
            broken = "a value noted for no row";
        } else if (note.position < 0 || note.position >= DRAW_SIZE) {
            broken = "a value noted for no position";
        } else if (note.length < 1) {
            broken = "a value noted from no characters";
        } else if (note.stopColumn != 0 && (note.stopColumn < note.column ||
                                            note.stopColumn >= note.column + note.length)) {
            broken = "a conversion noted as stopping outside its token";
        }
    }
    if (brokenNote == nullptr) {
        brokenNote = broken;
    }
}

// Reads the same bytes again with the hook set, as kivo6-check does, and compares.
const char* CheckListenedReading(const char* path, int loaded, int (*boxesShown)()) {
    static LoadedTables plain;
    static LoadedTables listened;
    TakeLoadedTables(plain);
    int boxes = boxesShown();
    ResetState();
    brokenNote = nullptr;
    ReadingHook = CheckNote;
    int again = LoadHistoryText(path);
    ReadingHook = nullptr;
    TakeLoadedTables(listened);
    REQUIRE(brokenNote == nullptr, brokenNote);
    REQUIRE(again == loaded, "listening changed the reader's answer");
    REQUIRE(boxesShown() == boxes, "a listened reading showed a message box");
    REQUIRE(SameLoadedTables(plain, listened), "listening changed what was loaded");
    return nullptr;
}

bool Terminated(const char* text, std::size_t capacity) {
    return std::memchr(text, '\0', capacity) != nullptr;
}

const char* CheckPool() {
    REQUIRE(poolLength >= NUMBER_COUNT && poolLength <= POOL_CAPACITY,
            "poolLength outside 43..143");
    bool inPool[NUMBER_COUNT + 1] = {};
    for (std::uint32_t cell = 0; cell < POOL_CAPACITY; ++cell) {
        std::uint8_t number = WeightedPool[cell];
        if (cell >= poolLength) {
            REQUIRE(number == 0, "a pool cell past poolLength is not 0");
            continue;
        }
        REQUIRE(IsLotteryNumber(number), "a pool cell holds no lottery number");
        inPool[number] = true;
    }
    // The pooled generators rely on every number having a cell to be drawn from.
    for (int n = 1; n <= NUMBER_COUNT; ++n) {
        REQUIRE(inPool[n], "a number has no cell in the pool");
    }
    return nullptr;
}

const char* CheckNoTicketMarks() {
    for (std::uint8_t mark : TicketExclusion) {
        REQUIRE(mark == 0, "TicketExclusion left marked after a request");
    }
    return nullptr;
}

// Reads one "%02d %02d %02d %02d %02d %02d\n" line, stopping at the first character
// out of shape, so it never reads past a terminator.
bool ReadResultLine(const char*& text, int (&numbers)[MAIN_NUMBERS]) {
    for (int i = 0; i < MAIN_NUMBERS; ++i) {
        const char* field = text + i * 3;
        if (field[0] < '0' || field[0] > '9' || field[1] < '0' || field[1] > '9' ||
            field[2] != (i == MAIN_NUMBERS - 1 ? '\n' : ' ')) {
            return false;
        }
        numbers[i] = (field[0] - '0') * 10 + (field[1] - '0');
    }
    text += MAIN_NUMBERS * 3;
    return true;
}

// The result is the header and then exactly `count` well-shaped lines.
const char* ReadResult(const char* header, int (*lines)[MAIN_NUMBERS], int count) {
    REQUIRE(Terminated(ResultText, sizeof ResultText), "ResultText lost its terminator");
    std::size_t headerLength = std::strlen(header);
    REQUIRE(std::strncmp(ResultText, header, headerLength) == 0,
            "result does not start with its header");
    const char* at = ResultText + headerLength;
    for (int line = 0; line < count; ++line) {
        REQUIRE(ReadResultLine(at, lines[line]), "result line out of shape");
    }
    REQUIRE(*at == '\0', "result holds more than its lines");
    return nullptr;
}

bool InLatestDraw(int number) {
    if (drawCount < 1) {
        return false;
    }
    for (int position = 0; position < MAIN_NUMBERS; ++position) {
        if (DrawHistory[drawCount - 1][position] == number) {
            return true;
        }
    }
    return false;
}

bool PassesParity(int number) {
    switch (ParityMode) {
    case PARITY_EVEN_ONLY:
        return number % 2 == 0;
    case PARITY_ODD_ONLY:
        return number % 2 == 1;
    default:
        return true;
    }
}

// The pick a Type 1 member just made: six sorted distinct numbers and a seventh apart
// from them, each passing the parity filter and, for Pattern 2, not in the latest draw.
const char* CheckPick(bool leaveOutLatest) {
    for (int position = 0; position < PICK_SIZE; ++position) {
        int number = Pick[position];
        REQUIRE(IsLotteryNumber(number), "a pick holds a value outside 1..43");
        REQUIRE(PassesParity(number), "a pick holds a number of the wrong parity");
        REQUIRE(!leaveOutLatest || !InLatestDraw(number),
                "Pattern 2 picked a number of the latest draw");
        if (position > 0 && position < MAIN_NUMBERS) {
            REQUIRE(Pick[position - 1] < number,
                    "the six numbers of a pick are not sorted and distinct");
        }
    }
    for (int position = 0; position < MAIN_NUMBERS; ++position) {
        REQUIRE(Pick[position] != Pick[MAIN_NUMBERS], "Pick[6] repeats one of the six");
    }
    return nullptr;
}

const char* RunTypeOne() {
    using Generator = void (*)();
    static constexpr Generator patternOne[TYPE_ONE_LINES] = {GenerateUniform, GeneratePooled,
                                                             GenerateInverse};
    static constexpr Generator patternTwo[TYPE_ONE_LINES] = {
        GenerateUniformNoRepeat, GeneratePooledNoRepeat, GenerateInverseNoRepeat};
    bool leaveOutLatest = excludePrevious != 0;
    const char* header = leaveOutLatest ? "Pattern 2\n\n" : "Pattern 1\n\n";
    int picked[TYPE_ONE_LINES][MAIN_NUMBERS];
    BeginResult(header);
    for (int member = 0; member < TYPE_ONE_LINES; ++member) {
        (leaveOutLatest ? patternTwo : patternOne)[member]();
        PASSES(CheckPick(leaveOutLatest));
        for (int position = 0; position < MAIN_NUMBERS; ++position) {
            picked[member][position] = Pick[position];
        }
    }
    int shown[TYPE_ONE_LINES][MAIN_NUMBERS];
    PASSES(ReadResult(header, shown, TYPE_ONE_LINES));
    for (int line = 0; line < TYPE_ONE_LINES; ++line) {
        for (int position = 0; position < MAIN_NUMBERS; ++position) {
            REQUIRE(shown[line][position] == picked[line][position],
                    "a result line differs from its pick");
        }
    }
    return CheckNoTicketMarks();
}

// Type 2 draws every number the flags leave available once; when fewer than 30 are
// available it draws the rest from all 43 again, keeping the open ticket's numbers out.
// So no ticket repeats a number, an available number shows once or twice, an excluded
// one at most once, and the tickets filled before the numbers ran out hold only
// available ones.
const char* RunTickets() {
    bool excluded[NUMBER_COUNT + 1] = {};
    for (int k = 0; k < PAST_DRAW_FLAGS; ++k) {
        int row = drawCount - 1 - k;
        if (PastDrawFlags[k] == 0 || row < 0) {
            continue;
        }
        for (int position = 0; position < MAIN_NUMBERS; ++position) {
            int number = DrawHistory[row][position];
            if (IsLotteryNumber(number)) {
                excluded[number] = true;
            }
        }
    }
    for (int number = 1; number <= NUMBER_COUNT; ++number) {
        int group = number <= 40 ? (number - 1) / 10 : 4;
        if (DecadeFlags[group] != 0) {
            excluded[number] = true;
        }
    }
    int available = 0;
    for (int number = 1; number <= NUMBER_COUNT; ++number) {
        available += excluded[number] ? 0 : 1;
    }

    BeginResult("Type 2\n\n");
    GenerateTickets();
    int tickets[TICKETS][MAIN_NUMBERS];
    PASSES(ReadResult("Type 2\n\n", tickets, TICKETS));
    int shown[NUMBER_COUNT + 1] = {};
    for (int ticket = 0; ticket < TICKETS; ++ticket) {
        bool beforeRunningOut = (ticket + 1) * MAIN_NUMBERS <= available;
        for (int position = 0; position < MAIN_NUMBERS; ++position) {
            int number = tickets[ticket][position];
            REQUIRE(IsLotteryNumber(number), "a ticket holds a value outside 1..43");
            REQUIRE(position == 0 || tickets[ticket][position - 1] < number,
                    "a ticket is not sorted or repeats a number");
            REQUIRE(!beforeRunningOut || !excluded[number],
                    "a ticket filled before the numbers ran out holds an excluded number");
            ++shown[number];
        }
    }
    bool ranOut = available < TICKETS * MAIN_NUMBERS;
    for (int number = 1; number <= NUMBER_COUNT; ++number) {
        if (!ranOut) {
            REQUIRE(shown[number] <= 1, "a number shows twice though enough were available");
            REQUIRE(shown[number] == 0 || !excluded[number],
                    "an excluded number shows though enough were available");
        } else if (excluded[number]) {
            REQUIRE(shown[number] <= 1, "an excluded number shows twice after the numbers ran out");
        } else {
            REQUIRE(shown[number] >= 1,
                    "an available number was not drawn before the numbers ran out");
            REQUIRE(shown[number] <= 2, "an available number shows more than twice");
        }
    }
    return CheckNoTicketMarks();
}

// Each report as the dialog shows it: ReportText cleared, then formatted.
const char* RunReports() {
    std::memset(ReportText, 0, sizeof ReportText);
    FormatProbabilityReport();
    REQUIRE(Terminated(ReportText, sizeof ReportText),
            "ReportText lost its terminator (share table)");
    // All 43 entries, in order: nothing was cut off.
    const std::string_view table(ReportText);
    std::size_t found = 0;
    for (int number = 1; number <= NUMBER_COUNT; ++number) {
        char entry[8];
        std::snprintf(entry, sizeof entry, "[%02d]: ", number);
        found = table.find(entry, found);
        REQUIRE(found != std::string_view::npos, "the share table lacks an entry");
    }

    std::memset(ReportText, 0, sizeof ReportText);
    FormatRecentDraws();
    REQUIRE(Terminated(ReportText, sizeof ReportText),
            "ReportText lost its terminator (recent draws)");
    // The latest draws, newest first, one whole line each.
    int shownRows = drawCount < RECENT_DRAWS_SHOWN ? drawCount : RECENT_DRAWS_SHOWN;
    const char* at = ReportText;
    for (int line = 0; line < shownRows; ++line) {
        char prefix[24];
        std::snprintf(prefix, sizeof prefix, "No.%03d : [", drawCount - line);
        REQUIRE(std::strncmp(at, prefix, std::strlen(prefix)) == 0,
                "a recent-draws line is out of place");
        const char* end = std::strchr(at, '\n');
        REQUIRE(end != nullptr, "a recent-draws line is cut off");
        at = end + 1;
    }
    REQUIRE(*at == '\0', "the recent-draws report holds more than its lines");
    return nullptr;
}

} // namespace

const char* CheckHistoryInvariants(const char* path, const std::uint8_t* data, std::size_t size,
                                   int (*boxesShown)()) {
    ResetToProgramStart();
    int boxesBefore = boxesShown();
    int loaded = LoadHistoryText(path);
    REQUIRE(drawCount >= 0 && drawCount <= HISTORY_CAPACITY, "drawCount outside 0..256");
    int boxes = boxesShown() - boxesBefore;
    PASSES(CheckListenedReading(path, loaded, boxesShown));
    if (loaded != 1) {
        // The program stops here; the dialog never opens.
        REQUIRE(loaded == 0, "LoadHistoryText answered neither 1 nor 0");
        REQUIRE(drawCount == 0, "a refused file left draws behind");
        REQUIRE(boxes == 1, "a refused file must say why, once");
        return nullptr;
    }
    REQUIRE(boxes == 0, "a loaded file showed a message box");
    REQUIRE(mainTotal == MAIN_NUMBERS * drawCount, "mainTotal is not 6 * drawCount");
    ComputePercentages();
    PASSES(CheckPool());

    TakeOptionsFrom(data, size);
    for (std::int32_t parity : {PARITY_NORMAL, PARITY_EVEN_ONLY, PARITY_ODD_ONLY}) {
        ParityMode = parity;
        for (std::int32_t leaveOut : {0, 1}) {
            excludePrevious = leaveOut;
            PASSES(RunTypeOne());
        }
    }
    PASSES(RunTickets());
    return RunReports();
}
