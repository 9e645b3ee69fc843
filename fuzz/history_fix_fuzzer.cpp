// libFuzzer target for kivo6-check --fix: any bytes are read as a history as meant,
// and either refused with a place, or written as a data.txt that KIVO6's own reader
// loads as exactly the draws reported. The run aborts at the first input that breaks this.
// Built by fuzz/CMakeLists.txt (fuzz preset) and run by tools/fuzz.sh.
#include "check/history_fix.h"
#include "history/history_file.h"
#include "history/state.h"
#include "platform/platform.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

int messageBoxesShown;

[[noreturn]] void Broken(const char* what, const std::string& text) {
    std::fprintf(stderr, "kivo6_history_fix_fuzzer: %s\n--- written\n%s\n", what, text.c_str());
    std::abort();
}

// The written file lives in an anonymous memory file, reached through its /proc path,
// so that KIVO6's reader opens it as it opens data.txt.
int historyFile = -1;
char historyPath[64];

void WriteHistory(const std::string& text) {
    if (ftruncate(historyFile, 0) != 0 ||
        pwrite(historyFile, text.data(), text.size(), 0) != static_cast<ssize_t>(text.size())) {
        std::perror("kivo6_history_fix_fuzzer: writing");
        std::abort();
    }
}

} // namespace

extern "C" int WINAPI MessageBoxA(HWND, LPCSTR, LPCSTR, UINT) {
    ++messageBoxesShown;
    return IDOK;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    historyFile = memfd_create("data.txt", MFD_CLOEXEC);
    if (historyFile < 0) {
        std::perror("kivo6_history_fix_fuzzer: memfd_create");
        std::abort();
    }
    std::snprintf(historyPath, sizeof historyPath, "/proc/self/fd/%d", historyFile);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const HistoryAsMeant history = ReadHistoryAsMeant({reinterpret_cast<const char*>(data), size});
    for (Language language : {Language::English, Language::Japanese}) {
        FormatFixRefusal("f", history, language);
        FormatFixDone("f", "g", "g.orig", history, language);
    }
    if (history.refusal != FixRefusal::None) {
        if (!history.draws.empty() ||
            (history.refusal != FixRefusal::NoDraws && (history.line < 1 || history.column < 1))) {
            Broken("a refusal without its place, or with draws", "");
        }
        return 0;
    }
    const std::string text = FixedHistoryText(history);
    if (history.draws.empty() || history.draws.size() > HISTORY_CAPACITY) {
        Broken("a fixed history without draws, or with too many", text);
    }
    // Only the marker line may hold more than ASCII.
    for (std::size_t at = text.find('\n'); at < text.size(); ++at) {
        if (static_cast<unsigned char>(text[at]) >= 0x80) {
            Broken("a byte beyond ASCII after the marker line", text);
        }
    }
    ResetState();
    messageBoxesShown = 0;
    WriteHistory(text);
    if (LoadHistoryText(historyPath) != 1 || messageBoxesShown != 0) {
        Broken("KIVO6 does not load the fixed history", text);
    }
    if (drawCount != static_cast<int>(history.draws.size())) {
        Broken("KIVO6 reads another number of draws", text);
    }
    for (int row = 0; row < drawCount; ++row) {
        for (int at = 0; at < DRAW_SIZE; ++at) {
            const int number =
                history.draws[static_cast<std::size_t>(row)][static_cast<std::size_t>(at)];
            if (DrawHistory[row][at] != number || number < 1 || number > NUMBER_COUNT) {
                Broken("KIVO6 reads another draw than the one reported", text);
            }
        }
    }
    return 0;
}
