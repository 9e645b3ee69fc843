// libFuzzer target for data.txt: the input bytes are the history file, checked by the
// invariants the core tests share (tests/support/history_invariants.h), and, for a file
// of 256 draws or more, by one more draw line in front of them changing nothing; the
// run aborts as soon as a table or a text breaks its rules.
// Built by fuzz/CMakeLists.txt (fuzz preset) and run by tools/fuzz.sh.
#include "core/program.h"
#include "fuzz/memory_history.h"
#include "support/history_invariants.h"
#include "support/loaded_tables.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

[[noreturn]] void Broken(const char* what) {
    // The texts are printed with a bound: a broken one may have lost its terminator.
    std::fprintf(stderr,
                 "kivo6_history_fuzzer: %s\ndrawCount %d\n--- ResultText\n%.*s\n"
                 "--- ReportText\n%.*s\n",
                 what, drawCount, static_cast<int>(RESULT_TEXT_SIZE), ResultText,
                 static_cast<int>(REPORT_TEXT_SIZE), ReportText);
    std::abort();
}

// A file that already fills the history loads the same with one whole draw line more
// right after the marker line: the stream shifts by one draw, and only the newest
// draws are kept.
void CheckOlderDrawChangesNothing(const std::uint8_t* data, std::size_t size) {
    static LoadedTables before;
    static LoadedTables after;
    const auto* newline = static_cast<const std::uint8_t*>(std::memchr(data, '\n', size));
    if (drawCount < HISTORY_CAPACITY || newline == nullptr) {
        return;
    }
    TakeLoadedTables(before);
    static const char olderDraw[] = "1 2 3 4 5 6 7\n";
    std::vector<std::uint8_t> longer(data, newline + 1);
    longer.insert(longer.end(), olderDraw, olderDraw + sizeof olderDraw - 1);
    longer.insert(longer.end(), newline + 1, data + size);
    StartFromHistoryFile(WriteMemoryHistory(longer.data(), longer.size()));
    TakeLoadedTables(after);
    if (!SameLoadedTables(before, after)) {
        Broken("one more draw before 256 others changed what was loaded");
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    OpenMemoryHistory();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* path = WriteMemoryHistory(data, size);
    if (const char* broken = CheckHistoryInvariants(path, data, size, FailuresShown)) {
        Broken(broken);
    }
    CheckOlderDrawChangesNothing(data, size);
    return 0;
}
