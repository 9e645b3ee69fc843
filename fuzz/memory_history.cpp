// The memory file and the counted failure notice of the history fuzzers; see
// memory_history.h.
#include "fuzz/memory_history.h"

#include "core/history/history_file.h"

#include <sys/mman.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace {

int failuresShown;
int historyFile = -1;
char historyPath[64];

[[noreturn]] void Fail(const char* what) {
    std::perror(what);
    std::abort();
}

void CountFailure(const char*) {
    ++failuresShown;
}

} // namespace

int FailuresShown() {
    return failuresShown;
}

void OpenMemoryHistory() {
    ShowHistoryFailure = CountFailure;
    historyFile = memfd_create(HISTORY_FILE_NAME, MFD_CLOEXEC);
    if (historyFile < 0) {
        Fail("history fuzzer: memfd_create");
    }
    std::snprintf(historyPath, sizeof historyPath, "/proc/self/fd/%d", historyFile);
}

const char* WriteMemoryHistory(const void* data, std::size_t size) {
    if (ftruncate(historyFile, static_cast<off_t>(size)) != 0) {
        Fail("history fuzzer: ftruncate");
    }
    const auto* bytes = static_cast<const char*>(data);
    std::size_t written = 0;
    while (written < size) {
        ssize_t wrote =
            pwrite(historyFile, bytes + written, size - written, static_cast<off_t>(written));
        if (wrote < 0 && errno == EINTR) {
            continue;
        }
        if (wrote <= 0) {
            Fail("history fuzzer: pwrite");
        }
        written += static_cast<std::size_t>(wrote);
    }
    return historyPath;
}
