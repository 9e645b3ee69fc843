// The rules any data.txt leaves the core keeping (support/history_invariants.h), run
// over every seed of the history fuzzer's corpus, so the sanitizer and valgrind builds
// see every table access the fuzzer's seeds reach.
#include "support/core_fixture.h"
#include "support/history_invariants.h"

namespace {

class HistoryInvariants : public CoreTest {};

TEST_F(HistoryInvariants, HoldForTheFuzzersCorpus) {
    auto failuresShown = [] { return static_cast<int>(ShownFailures().size()); };
    int loaded = 0;
    auto histories = ReplayedHistories(KIVO6_HISTORY_CORPUS);
    for (const auto& [name, bytes] : histories) {
        ShownFailures().clear();
        std::string path = WriteHistory(bytes).string();
        auto data = reinterpret_cast<const std::uint8_t*>(bytes.data());
        const char* broken =
            CheckHistoryInvariants(path.c_str(), data, bytes.size(), failuresShown);
        EXPECT_STREQ(broken, nullptr) << name;
        loaded += ShownFailures().empty() ? 1 : 0;
    }
    // The corpus was found, and both refused and loaded files were exercised.
    EXPECT_GE(histories.size(), 19u);
    EXPECT_GT(loaded, 0);
    EXPECT_LT(loaded, static_cast<int>(histories.size()));
}

} // namespace
