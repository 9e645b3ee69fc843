// The rules any data.txt leaves the core keeping (support/history_invariants.h), run
// over every seed of the history fuzzer's corpus and over generated hostile files, so
// the sanitizer builds see every table access the fuzzer's seeds reach.
#include "support/core_fixture.h"
#include "support/history_invariants.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace {

int BoxesShown() {
    return static_cast<int>(ShownMessageBoxes().size());
}

// Bytes that stress the reader: digits, blanks, line ends, signs, the marker's and
// END's letters, Ctrl-Z, any byte now and then and runs of nines past int.
std::string HostileHistory(std::mt19937& random) {
    static const char alphabet[] =
        "0123456789012345678901234567890123456789     \n\n\r\t-+KIVOEND\x1a";
    std::uniform_int_distribution<int> length(0, 6000), pick(0, sizeof alphabet - 2), kind(0, 9),
        anyByte(0, 255);
    std::string text = kind(random) < 7 ? "KIVO\n" : "";
    int size = length(random);
    for (int i = 0; i < size; ++i) {
        int roll = kind(random);
        if (roll == 0) {
            text += static_cast<char>(anyByte(random));
        } else if (roll == 1 && i % 97 == 0) {
            text += std::string(static_cast<std::size_t>(length(random) / 10), '9');
        } else {
            text += alphabet[pick(random)];
        }
    }
    return text;
}

class HistoryInvariants : public CoreTest {
  protected:
    // True when the file was loaded (no message box), after checking every rule.
    bool Holds(const std::string& bytes, const std::string& name) {
        ShownMessageBoxes().clear();
        std::string path = WriteHistory(bytes).string();
        const char* broken = CheckHistoryInvariants(
            path.c_str(), reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(),
            BoxesShown);
        EXPECT_STREQ(broken, nullptr) << name;
        return ShownMessageBoxes().empty();
    }
};

TEST_F(HistoryInvariants, EverySeedOfTheFuzzCorpus) {
    int seeds = 0;
    for (const auto& entry : std::filesystem::directory_iterator(KIVO6_HISTORY_CORPUS)) {
        std::ifstream file(entry.path(), std::ios::binary);
        std::ostringstream bytes;
        bytes << file.rdbuf();
        Holds(bytes.str(), entry.path().filename().string());
        ++seeds;
    }
    EXPECT_GE(seeds, 19);
}

TEST_F(HistoryInvariants, GeneratedHostileHistories) {
    std::mt19937 random(43);
    int loaded = 0;
    for (int round = 0; round < 200; ++round) {
        loaded += Holds(HostileHistory(random), "round " + std::to_string(round)) ? 1 : 0;
    }
    // Both the refusals and the loaded files were exercised.
    EXPECT_GT(loaded, 60);
    EXPECT_LT(loaded, 200);
}

} // namespace
