// libFuzzer target for reading a history as meant (kivo6-check --fix, kivo6's first
// run): any bytes are either refused with a place, or written as a data.txt that
// KIVO6's own reader loads as exactly the draws reported (the newest 256 of them).
// The run aborts at the first input that breaks this. Built by fuzz/CMakeLists.txt
// (fuzz preset) and run by tools/fuzz.sh.
#include "core/program.h"
#include "fuzz/memory_history.h"
#include "import/history_as_meant.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void Broken(const char* what, const std::string& text) {
    std::fprintf(stderr, "kivo6_history_fix_fuzzer: %s\n--- written\n%s\n", what, text.c_str());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    OpenMemoryHistory();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const HistoryAsMeant history = ReadHistoryAsMeant({reinterpret_cast<const char*>(data), size});
    for (Language language : {Language::English, Language::Japanese}) {
        FormatFixRefusal("f", history, language);
        FormatFixDone("f", "g.orig", history, language);
    }
    if (history.refusal != FixRefusal::None) {
        if (!history.draws.empty() ||
            (history.refusal != FixRefusal::NoDraws && (history.line < 1 || history.column < 1))) {
            Broken("a refusal without its place, or with draws", "");
        }
        return 0;
    }
    const std::string text = FixedHistoryText(history);
    if (history.draws.empty()) {
        Broken("a fixed history without draws", text);
    }
    // Only the marker line may hold more than ASCII.
    for (std::size_t at = text.find('\n'); at < text.size(); ++at) {
        if (static_cast<unsigned char>(text[at]) >= 0x80) {
            Broken("a byte beyond ASCII after the marker line", text);
        }
    }
    const int shown = FailuresShown();
    if (StartFromHistoryFile(WriteMemoryHistory(text.data(), text.size())) != 1 ||
        FailuresShown() != shown) {
        Broken("KIVO6 does not load the fixed history", text);
    }
    // Every draw is written; KIVO6 uses the newest of them.
    const std::size_t written = history.draws.size();
    const std::size_t used = std::min<std::size_t>(written, HISTORY_CAPACITY);
    if (drawCount != static_cast<int>(used)) {
        Broken("KIVO6 reads another number of draws", text);
    }
    for (int row = 0; row < drawCount; ++row) {
        for (int at = 0; at < DRAW_SIZE; ++at) {
            const int number = history.draws[written - used + static_cast<std::size_t>(row)]
                                            [static_cast<std::size_t>(at)];
            if (DrawHistory[row][at] != number || number < 1 || number > NUMBER_COUNT) {
                Broken("KIVO6 reads another draw than the one reported", text);
            }
        }
    }
    return 0;
}
