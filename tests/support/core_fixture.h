// Test support for the logic core: the reader's failure texts recorded, a clock that
// stands still, and a fixture that writes a data.txt and starts the program on it.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Every failure text the reader showed since the test began, in order.
std::vector<std::string>& ShownFailures();

// Makes BeginResult seed from the given second.
void StopClockAt(std::uint32_t second);

using Draw = std::array<int, 7>;

// "KIVO" marker, one line per draw, "END".
std::string HistoryText(const std::vector<Draw>& draws);

// What the history invariants are replayed on: every file of the history fuzzer's seed
// corpus in the folder `corpus`, each named; the fuzzers themselves make hostile ones.
std::vector<std::pair<std::string, std::string>> ReplayedHistories(const char* corpus);

// A file's bytes; empty when there is no such file.
std::string FileBytes(const std::filesystem::path& path);

class CoreTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the bytes as data.txt in the test's own folder and returns its path.
    std::filesystem::path WriteHistory(std::string_view bytes);
    // Writes the bytes as a file and returns LoadHistoryText's answer for it.
    int LoadBytes(std::string_view bytes);
    // Starts the program on these draws written as its history file.
    void StartWith(const std::vector<Draw>& draws);

    std::filesystem::path folder_;
};
