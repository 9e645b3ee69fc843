// Tests of kivo6-check's progress line: when it appears, how often it is rewritten,
// and that Finish wipes exactly what was shown. A fake clock and a recording writer
// stand in for the steady clock and the terminal.
#include "check/progress.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace {

// What a meter started at second 100 (a steady clock does not start at zero) writes
// when fed (second, done, total) updates and then finished, twice.
std::vector<std::string> Written(Language language,
                                 const std::vector<std::array<double, 3>>& updates) {
    double now = 100.0;
    std::vector<std::string> written;
    ProgressMeter meter(
        language, [&now] { return now; },
        [&written](std::string_view text) { written.emplace_back(text); });
    for (const auto& [second, done, total] : updates) {
        now = second;
        meter.Update(static_cast<int>(done), static_cast<int>(total));
    }
    meter.Finish();
    meter.Finish(); // nothing left to clear
    return written;
}

TEST(ProgressMeter, ShowsAfterOneSecondAtMostTenTimesASecondAndAlwaysTheEnd) {
    // 9 is within the first second, 11 too soon after 10, and the end shows however
    // soon it comes.
    const std::string longest = "Backtest: 40 of 40 draws (100%)";
    EXPECT_EQ(Written(Language::English, {{100.99, 9, 40},
                                          {101.0, 10, 40},
                                          {101.08, 11, 40},
                                          {101.11, 12, 40},
                                          {101.12, 40, 40}}),
              (std::vector<std::string>{"\rBacktest: 10 of 40 draws (25%)",
                                        "\rBacktest: 12 of 40 draws (30%)", "\r" + longest,
                                        "\r" + std::string(longest.size(), ' ') + "\r"}));
    // A run shorter than a second writes nothing at all, not even the clearing.
    EXPECT_EQ(Written(Language::English, {{100.99, 10, 10}}), std::vector<std::string>{});
}

TEST(ProgressMeter, JapaneseLineIsClearedByItsWidthOnTheTerminal) {
    // Six kana and three kanji take 18 columns, the rest 16.
    EXPECT_EQ(Written(Language::Japanese, {{101.5, 37, 100}}),
              (std::vector<std::string>{"\rバックテスト: 100 回中 37 回 (37%)",
                                        "\r" + std::string(34, ' ') + "\r"}));
}

} // namespace
