// libFuzzer target for data.txt: the input bytes are the history file. Each run starts
// the program afresh, loads the bytes through the real reader (and again with the
// kivo6-check hook listening), makes every request the main dialog can make and aborts
// as soon as a table or a text breaks its rules.
// Built by fuzz/CMakeLists.txt (fuzz preset) and run by tools/fuzz.sh.
#include "generate/generators.h"
#include "generate/random_source.h"
#include "history/history_file.h"
#include "history/state.h"
#include "platform/platform.h"
#include "stats/reports.h"
#include "stats/shares.h"
#include "support/loaded_tables.h"
#include "support/program_start.h"

#include <sys/mman.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string_view>

namespace {

constexpr int TYPE_ONE_LINES = 3;
constexpr int TICKETS = 5;
constexpr int RECENT_DRAWS_SHOWN = 10;

int messageBoxesShown;

[[noreturn]] void Broken(const char* what) {
    // The texts are printed with a bound: a broken one may have lost its terminator.
    std::fprintf(stderr,
                 "kivo6_history_fuzzer: %s\ndrawCount %d\n--- ResultText\n%.*s\n"
                 "--- ReportText\n%.*s\n",
                 what, drawCount, static_cast<int>(RESULT_TEXT_SIZE), ResultText,
                 static_cast<int>(REPORT_TEXT_SIZE), ReportText);
    std::abort();
}

void Require(bool holds, const char* what) {
    if (!holds) {
        Broken(what);
    }
}

// The history lives in an anonymous memory file, reached through its /proc path, so
// the reader opens and reads it exactly as it does data.txt and no disk file is written.
int historyFile = -1;
char historyPath[64];

void WriteHistory(const std::uint8_t* data, std::size_t size) {
    if (ftruncate(historyFile, static_cast<off_t>(size)) != 0) {
        std::perror("kivo6_history_fuzzer: ftruncate");
        std::abort();
    }
    std::size_t written = 0;
    while (written < size) {
        ssize_t wrote =
            pwrite(historyFile, data + written, size - written, static_cast<off_t>(written));
        if (wrote < 0 && errno == EINTR) {
            continue;
        }
        if (wrote <= 0) {
            std::perror("kivo6_history_fuzzer: pwrite");
            std::abort();
        }
        written += static_cast<std::size_t>(wrote);
    }
}

// A clock that moves on one second at every reading, from a start taken from the input:
// each request of a run gets its own seed, and the same input always the same seeds.
std::uint32_t clockSecond;
std::uint32_t TickingClock() {
    return clockSecond++;
}

std::uint8_t ByteFromEnd(const std::uint8_t* data, std::size_t size, std::size_t back) {
    return back < size ? data[size - 1 - back] : 0;
}

// The settings dialog's flags come from the last two bytes and the clock from the four
// before them, so every seed stays a data.txt the program itself could be given.
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
void CheckNote(const ReadingNote& note) {
    Require(note.line >= 1 && note.column >= 1, "a note without a place");
    if (note.event == ReadingEvent::Value) {
        Require(note.row >= 0 && note.row <= HISTORY_CAPACITY, "a value noted for no row");
        Require(note.position >= 0 && note.position < DRAW_SIZE, "a value noted for no position");
        Require(note.length >= 1, "a value noted from no characters");
        Require(note.stopColumn == 0 ||
                    (note.stopColumn >= note.column && note.stopColumn < note.column + note.length),
                "a conversion noted as stopping outside its token");
    }
}

// Reads the same bytes again with the hook set, as kivo6-check does, and compares.
void CheckListenedReading(int loaded) {
    static LoadedTables plain;
    static LoadedTables listened;
    TakeLoadedTables(plain);
    int boxes = messageBoxesShown;
    ResetState();
    ReadingHook = CheckNote;
    int again = LoadHistoryText(historyPath);
    ReadingHook = nullptr;
    TakeLoadedTables(listened);
    Require(again == loaded, "listening changed the reader's answer");
    Require(messageBoxesShown == boxes, "a listened reading showed a message box");
    Require(SameLoadedTables(plain, listened), "listening changed what was loaded");
}

// What the process holds when the entry routine begins.
void StartProgram() {
    ResetToProgramStart();
    messageBoxesShown = 0;
}

void CheckTerminated(const char* text, std::size_t capacity, const char* what) {
    Require(std::memchr(text, '\0', capacity) != nullptr, what);
}

void CheckPool() {
    Require(poolLength >= NUMBER_COUNT && poolLength <= POOL_CAPACITY,
            "poolLength outside 43..143");
    bool inPool[NUMBER_COUNT + 1] = {};
    for (std::uint32_t cell = 0; cell < POOL_CAPACITY; ++cell) {
        std::uint8_t number = WeightedPool[cell];
        if (cell >= poolLength) {
            Require(number == 0, "a pool cell past poolLength is not 0");
            continue;
        }
        Require(IsLotteryNumber(number), "a pool cell holds no lottery number");
        inPool[number] = true;
    }
    // The pooled generators rely on every number having a cell to be drawn from.
    for (int n = 1; n <= NUMBER_COUNT; ++n) {
        Require(inPool[n], "a number has no cell in the pool");
    }
}

void CheckNoTicketMarks() {
    for (std::uint8_t mark : TicketExclusion) {
        Require(mark == 0, "TicketExclusion left marked after a request");
    }
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
void ReadResult(const char* header, int (*lines)[MAIN_NUMBERS], int count) {
    CheckTerminated(ResultText, sizeof ResultText, "ResultText lost its terminator");
    std::size_t headerLength = std::strlen(header);
    Require(std::strncmp(ResultText, header, headerLength) == 0,
            "result does not start with its header");
    const char* at = ResultText + headerLength;
    for (int line = 0; line < count; ++line) {
        Require(ReadResultLine(at, lines[line]), "result line out of shape");
    }
    Require(*at == '\0', "result holds more than its lines");
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
void CheckPick(bool leaveOutLatest) {
    for (int position = 0; position < PICK_SIZE; ++position) {
        int number = Pick[position];
        Require(IsLotteryNumber(number), "a pick holds a value outside 1..43");
        Require(PassesParity(number), "a pick holds a number of the wrong parity");
        Require(!leaveOutLatest || !InLatestDraw(number),
                "Pattern 2 picked a number of the latest draw");
        if (position > 0 && position < MAIN_NUMBERS) {
            Require(Pick[position - 1] < number,
                    "the six numbers of a pick are not sorted and distinct");
        }
    }
    for (int position = 0; position < MAIN_NUMBERS; ++position) {
        Require(Pick[position] != Pick[MAIN_NUMBERS], "Pick[6] repeats one of the six");
    }
}

void RunTypeOne() {
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
        CheckPick(leaveOutLatest);
        for (int position = 0; position < MAIN_NUMBERS; ++position) {
            picked[member][position] = Pick[position];
        }
    }
    int shown[TYPE_ONE_LINES][MAIN_NUMBERS];
    ReadResult(header, shown, TYPE_ONE_LINES);
    for (int line = 0; line < TYPE_ONE_LINES; ++line) {
        for (int position = 0; position < MAIN_NUMBERS; ++position) {
            Require(shown[line][position] == picked[line][position],
                    "a result line differs from its pick");
        }
    }
    CheckNoTicketMarks();
}

// Type 2 draws every number the flags leave available once; when fewer than 30 are
// available it draws the rest from all 43 again, keeping the open ticket's numbers out.
// So no ticket repeats a number, an available number shows once or twice, an excluded
// one at most once, and the tickets filled before the numbers ran out hold only
// available ones.
void RunTickets() {
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
    ReadResult("Type 2\n\n", tickets, TICKETS);
    int shown[NUMBER_COUNT + 1] = {};
    for (int ticket = 0; ticket < TICKETS; ++ticket) {
        bool beforeRunningOut = (ticket + 1) * MAIN_NUMBERS <= available;
        for (int position = 0; position < MAIN_NUMBERS; ++position) {
            int number = tickets[ticket][position];
            Require(IsLotteryNumber(number), "a ticket holds a value outside 1..43");
            Require(position == 0 || tickets[ticket][position - 1] < number,
                    "a ticket is not sorted or repeats a number");
            Require(!beforeRunningOut || !excluded[number],
                    "a ticket filled before the numbers ran out holds an excluded number");
            ++shown[number];
        }
    }
    bool ranOut = available < TICKETS * MAIN_NUMBERS;
    for (int number = 1; number <= NUMBER_COUNT; ++number) {
        if (!ranOut) {
            Require(shown[number] <= 1, "a number shows twice though enough were available");
            Require(shown[number] == 0 || !excluded[number],
                    "an excluded number shows though enough were available");
        } else if (excluded[number]) {
            Require(shown[number] <= 1, "an excluded number shows twice after the numbers ran out");
        } else {
            Require(shown[number] >= 1,
                    "an available number was not drawn before the numbers ran out");
            Require(shown[number] <= 2, "an available number shows more than twice");
        }
    }
    CheckNoTicketMarks();
}

// Each report as the dialog shows it: ReportText cleared, then formatted.
void RunReports() {
    std::memset(ReportText, 0, sizeof ReportText);
    FormatProbabilityReport();
    CheckTerminated(ReportText, sizeof ReportText, "ReportText lost its terminator (share table)");
    // All 43 entries, in order: nothing was cut off.
    const std::string_view table(ReportText);
    std::size_t found = 0;
    for (int number = 1; number <= NUMBER_COUNT; ++number) {
        char entry[8];
        std::snprintf(entry, sizeof entry, "[%02d]: ", number);
        found = table.find(entry, found);
        Require(found != std::string_view::npos, "the share table lacks an entry");
    }

    std::memset(ReportText, 0, sizeof ReportText);
    FormatRecentDraws();
    CheckTerminated(ReportText, sizeof ReportText, "ReportText lost its terminator (recent draws)");
    // The latest draws, newest first, one whole line each.
    int shownRows = drawCount < RECENT_DRAWS_SHOWN ? drawCount : RECENT_DRAWS_SHOWN;
    const char* at = ReportText;
    for (int line = 0; line < shownRows; ++line) {
        char prefix[24];
        std::snprintf(prefix, sizeof prefix, "No.%03d : [", drawCount - line);
        Require(std::strncmp(at, prefix, std::strlen(prefix)) == 0,
                "a recent-draws line is out of place");
        const char* end = std::strchr(at, '\n');
        Require(end != nullptr, "a recent-draws line is cut off");
        at = end + 1;
    }
    Require(*at == '\0', "the recent-draws report holds more than its lines");
}

} // namespace

// The core shows its load failures in a message box; here it is counted and answered.
extern "C" int WINAPI MessageBoxA(HWND, LPCSTR, LPCSTR, UINT) {
    ++messageBoxesShown;
    return IDOK;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    historyFile = memfd_create("data.txt", MFD_CLOEXEC);
    if (historyFile < 0) {
        std::perror("kivo6_history_fuzzer: memfd_create");
        std::abort();
    }
    std::snprintf(historyPath, sizeof historyPath, "/proc/self/fd/%d", historyFile);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    WriteHistory(data, size);
    StartProgram();
    int loaded = LoadHistoryText(historyPath);
    Require(drawCount >= 0 && drawCount <= HISTORY_CAPACITY, "drawCount outside 0..256");
    CheckListenedReading(loaded);
    if (loaded != 1) {
        // The program stops here; the dialog never opens.
        Require(loaded == 0, "LoadHistoryText answered neither 1 nor 0");
        Require(drawCount == 0, "a refused file left draws behind");
        Require(messageBoxesShown == 1, "a refused file must say why, once");
        return 0;
    }
    Require(messageBoxesShown == 0, "a loaded file showed a message box");
    Require(mainTotal == MAIN_NUMBERS * drawCount, "mainTotal is not 6 * drawCount");
    ComputePercentages();
    CheckPool();

    TakeOptionsFrom(data, size);
    for (std::int32_t parity : {PARITY_NORMAL, PARITY_EVEN_ONLY, PARITY_ODD_ONLY}) {
        ParityMode = parity;
        for (std::int32_t leaveOut : {0, 1}) {
            excludePrevious = leaveOut;
            RunTypeOne();
        }
    }
    RunTickets();
    RunReports();
    return 0;
}
