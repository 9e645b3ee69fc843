// libFuzzer target for data.txt: the input bytes are the history file, checked by the
// invariants the core tests share (tests/support/history_invariants.h); the run aborts
// as soon as a table or a text breaks its rules.
// Built by fuzz/CMakeLists.txt (fuzz preset) and run by tools/fuzz.sh.
#include "history/state.h"
#include "platform/platform.h"
#include "support/history_invariants.h"

#include <sys/mman.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

int messageBoxesShown;
int MessageBoxesShown() {
    return messageBoxesShown;
}

[[noreturn]] void Broken(const char* what) {
    // The texts are printed with a bound: a broken one may have lost its terminator.
    std::fprintf(stderr,
                 "kivo6_history_fuzzer: %s\ndrawCount %d\n--- ResultText\n%.*s\n"
                 "--- ReportText\n%.*s\n",
                 what, drawCount, static_cast<int>(RESULT_TEXT_SIZE), ResultText,
                 static_cast<int>(REPORT_TEXT_SIZE), ReportText);
    std::abort();
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
    if (const char* broken = CheckHistoryInvariants(historyPath, data, size, MessageBoxesShown)) {
        Broken(broken);
    }
    return 0;
}
