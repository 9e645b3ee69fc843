// Test support for the logic core: a recording stand-in for the message box, a clock
// that stands still, and a fixture that writes a data.txt and loads it.
#pragma once

#include "platform/platform.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct ShownMessageBox {
    void* owner;
    std::string text;
    std::string caption;
    unsigned flags;
};

// Every message box the code under test asked for, in order.
std::vector<ShownMessageBox>& ShownMessageBoxes();

// Stands in for the message box: records it and answers OK at once. Each platform's
// message_box.cpp routes the core's MessageBoxA calls here.
int WINAPI RecordMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

// Makes BeginResult seed from the given second.
void StopClockAt(std::uint32_t second);

using Draw = std::array<int, 7>;

// "KIVO" marker, one line per draw, "END".
std::string HistoryText(const std::vector<Draw>& draws);

// What the history invariants are replayed on: every file of the history fuzzer's seed
// corpus in the folder `corpus`, then generated hostile histories; each named.
std::vector<std::pair<std::string, std::string>> ReplayedHistories(const char* corpus);

class CoreTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the bytes as data.txt in the test's own folder and returns its path.
    std::filesystem::path WriteHistory(std::string_view bytes);
    // A file's bytes; empty when there is no such file.
    static std::string FileBytes(const std::filesystem::path& path);
    // Writes the bytes as a file and returns LoadHistoryText's answer for it.
    int LoadBytes(std::string_view bytes);
    // Loads the history and computes shares and pool, as start-up does.
    void StartWith(const std::vector<Draw>& draws);

    std::filesystem::path folder_;
};
