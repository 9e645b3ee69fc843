// libFuzzer target for data.txt: the input bytes are the history file, checked by the
// invariants the core tests share (tests/support/history_invariants.h); the run aborts
// as soon as a table or a text breaks its rules.
// Built by fuzz/CMakeLists.txt (fuzz preset) and run by tools/fuzz.sh.
#include "fuzz/memory_history.h"
#include "history/state.h"
#include "support/history_invariants.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

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

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    OpenMemoryHistory();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* path = WriteMemoryHistory(data, size);
    if (const char* broken = CheckHistoryInvariants(path, data, size, MessageBoxesShown)) {
        Broken(broken);
    }
    return 0;
}
