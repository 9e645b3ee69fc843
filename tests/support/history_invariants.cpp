// See history_invariants.h. Only what no worked case of the core tests can show is
// checked here: the tables stay in their bounds and agree with each other, the texts
// keep their shape, and a listener changes nothing. Each check returns what broke,
// or nullptr; the first broken rule ends the run, as it may make later checks meaningless.
#include "support/history_invariants.h"

#include "core/generate/pick.h"
#include "core/program.h"
#include "support/loaded_tables.h"

#include <algorithm>
#include <cstring>

#define REQUIRE(holds, what)                                                                       \
    do {                                                                                           \
        if (!(holds)) {                                                                            \
            return what;                                                                           \
        }                                                                                          \
    } while (0)

// For a step that returns what broke; `broken` is the caller's.
#define PASSES(step) REQUIRE((broken = (step)) == nullptr, broken)

namespace {

// A clock that moves on one second at every reading, from a start taken from the input:
// each request of a run gets its own seed, and the same input always the same seeds.
std::uint32_t clockSecond;
std::uint32_t TickingClock() {
    return clockSecond++;
}

// The settings dialog's flags come from the last two bytes and the clock from the four
// before them, so every seed stays a data.txt the program itself could be given.
void TakeOptionsFrom(const std::uint8_t* data, std::size_t size) {
    auto fromEnd = [&](std::size_t back) -> unsigned {
        return back < size ? data[size - 1 - back] : 0;
    };
    unsigned flags = fromEnd(0) | fromEnd(1) << 8;
    for (int bit = 0; bit < DECADE_GROUPS + PAST_DRAW_FLAGS; ++bit) {
        (bit < DECADE_GROUPS ? DecadeFlags[bit] : PastDrawFlags[bit - DECADE_GROUPS]) =
            static_cast<std::uint8_t>((flags >> bit) & 1u);
    }
    clockSecond = fromEnd(2) | fromEnd(3) << 8 | fromEnd(4) << 16 | fromEnd(5) << 24;
    CalendarClock = TickingClock;
}

// A listener must hear every note at a place in the file and in the tables.
const char* brokenNote;
void CheckNote(const ReadingNote& note) {
    bool placed = note.line >= 1 && note.column >= 1;
    if (note.event == ReadingEvent::Value) {
        placed = placed && note.draw >= 0 && note.position >= 0 && note.position < DRAW_SIZE &&
                 note.length >= 1 &&
                 (note.stopColumn == 0 ||
                  (note.stopColumn >= note.column && note.stopColumn < note.column + note.length));
    }
    if (!placed && brokenNote == nullptr) {
        brokenNote = "a note out of place";
    }
}

// Starts again on the same bytes with a listener, as kivo6-check does, and compares.
const char* CheckListenedReading(const char* path, int loaded, int (*failuresShown)()) {
    static LoadedTables plain;
    static LoadedTables listened;
    TakeLoadedTables(plain);
    int failures = failuresShown();
    brokenNote = nullptr;
    int again = StartFromHistoryFile(path, CheckNote);
    TakeLoadedTables(listened);
    REQUIRE(brokenNote == nullptr, brokenNote);
    REQUIRE(again == loaded, "listening changed the reader's answer");
    REQUIRE(failuresShown() == failures, "a listened reading showed its failure");
    REQUIRE(SameLoadedTables(plain, listened), "listening changed what was loaded");
    return nullptr;
}

// The pooled generators draw from the first poolLength cells and rely on every number
// having one of them.
const char* CheckPool() {
    REQUIRE(poolLength >= NUMBER_COUNT && poolLength <= POOL_CAPACITY,
            "poolLength outside 43..143");
    bool inPool[256] = {};
    for (std::uint32_t cell = 0; cell < POOL_CAPACITY; ++cell) {
        int number = WeightedPool[cell];
        REQUIRE(cell < poolLength ? IsLotteryNumber(number) : number == 0,
                "a pool cell holds what it should not");
        inPool[number] = true;
    }
    REQUIRE(std::count(inPool + 1, inPool + NUMBER_COUNT + 1, true) == NUMBER_COUNT,
            "a number has no cell in the pool");
    return nullptr;
}

// The header, then `lines` lines of six distinct lottery numbers in ascending order,
// "%02d" one space apart, and nothing more. Reads no character past the terminator,
// which AppendToText keeps inside the buffer.
const char* CheckResult(const char* header, int lines) {
    std::size_t headerLength = std::strlen(header);
    REQUIRE(std::strncmp(ResultText, header, headerLength) == 0, "a result lacks its header");
    const char* at = ResultText + headerLength;
    for (int field = 0, previous = 0; field < lines * MAIN_NUMBERS; ++field, at += 3) {
        REQUIRE(at[0] >= '0' && at[0] <= '9' && at[1] >= '0' && at[1] <= '9' &&
                    at[2] == (field % MAIN_NUMBERS == MAIN_NUMBERS - 1 ? '\n' : ' '),
                "a result line out of shape");
        int number = (at[0] - '0') * 10 + (at[1] - '0');
        REQUIRE(IsLotteryNumber(number) && (field % MAIN_NUMBERS == 0 || number > previous),
                "a result line's numbers are not distinct lottery numbers in order");
        previous = number;
    }
    REQUIRE(*at == '\0', "a result holds more than its lines");
    REQUIRE(std::count(TicketExclusion, TicketExclusion + NUMBER_COUNT, 0) == NUMBER_COUNT,
            "TicketExclusion left marked after a request");
    return nullptr;
}

int CountInReport(char wanted) {
    const char* end = std::find(ReportText, ReportText + REPORT_TEXT_SIZE, '\0');
    return static_cast<int>(std::count(static_cast<const char*>(ReportText), end, wanted));
}

// Each report as the dialog asks for it. Both are whole: the 43 entries five a line,
// and one line for each recent draw shown.
const char* CheckReports() {
    RequestShareTable();
    REQUIRE(CountInReport('[') == NUMBER_COUNT && CountInReport('\n') == 8,
            "the share table is not whole");
    RequestRecentDraws();
    int shown = std::min(drawCount, 10);
    REQUIRE(CountInReport('N') == shown && CountInReport('\n') == shown &&
                CountInReport('[') == DRAW_SIZE * shown,
            "the recent draws are not one whole line for each draw shown");
    return nullptr;
}

} // namespace

const char* CheckHistoryInvariants(const char* path, const std::uint8_t* data, std::size_t size,
                                   int (*failuresShown)()) {
    const char* broken = nullptr;
    int loaded = StartFromHistoryFile(path);
    REQUIRE(drawCount >= 0 && drawCount <= HISTORY_CAPACITY, "drawCount outside 0..256");
    PASSES(CheckListenedReading(path, loaded, failuresShown));
    if (loaded != 1) {
        // The program stops here; the dialog never opens.
        REQUIRE(loaded == 0 && drawCount == 0, "a refused file answered not 0 or left draws");
        return nullptr;
    }
    REQUIRE(mainTotal == MAIN_NUMBERS * drawCount, "mainTotal is not 6 * drawCount");
    PASSES(CheckPool());

    TakeOptionsFrom(data, size);
    for (std::int32_t parity : {PARITY_NORMAL, PARITY_EVEN_ONLY, PARITY_ODD_ONLY}) {
        ParityMode = parity;
        for (excludePrevious = 0; excludePrevious < 2; ++excludePrevious) {
            RequestType1();
            PASSES(CheckResult(excludePrevious == 0 ? "Pattern 1\n\n" : "Pattern 2\n\n", 3));
        }
    }
    RequestType2();
    PASSES(CheckResult("Type 2\n\n", 5));
    return CheckReports();
}
