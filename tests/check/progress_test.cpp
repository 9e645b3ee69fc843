// Tests of kivo6-check's progress line: when it appears, how often it is rewritten,
// and that Finish wipes exactly what was shown. A fake clock and a recording writer
// stand in for the steady clock and the terminal.
#include "check/progress.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

class ProgressMeterTest : public ::testing::Test {
  protected:
    ProgressMeter Meter(Language language) {
        return ProgressMeter(
            language, [this] { return now_; },
            [this](std::string_view text) { written_.emplace_back(text); });
    }

    double now_ = 100.0; // the steady clock does not start at zero
    std::vector<std::string> written_;
};

TEST_F(ProgressMeterTest, ShowsAfterOneSecondAtMostTenTimesASecondAndAlwaysTheEnd) {
    // A run shorter than a second writes nothing at all, not even the clearing.
    ProgressMeter quick = Meter(Language::English);
    now_ = 100.99;
    quick.Update(10, 10);
    quick.Finish();
    EXPECT_TRUE(written_.empty());

    now_ = 200.0;
    ProgressMeter meter = Meter(Language::English);
    now_ = 200.99;
    meter.Update(9, 40); // still within the first second
    now_ = 201.0;
    meter.Update(10, 40);
    now_ = 201.05;
    meter.Update(11, 40); // too soon after the last line
    now_ = 201.11;
    meter.Update(12, 40);
    now_ = 201.12;
    meter.Update(40, 40); // the end shows however soon it comes
    meter.Finish();
    meter.Finish(); // nothing left to clear
    const std::string longest = "Backtest: 40 of 40 draws (100%)";
    EXPECT_EQ(written_, (std::vector<std::string>{
                            "\rBacktest: 10 of 40 draws (25%)", "\rBacktest: 12 of 40 draws (30%)",
                            "\r" + longest, "\r" + std::string(longest.size(), ' ') + "\r"}));
}

TEST_F(ProgressMeterTest, JapaneseLineIsClearedByItsWidthOnTheTerminal) {
    ProgressMeter meter = Meter(Language::Japanese);
    now_ = 101.5;
    meter.Update(37, 100);
    meter.Finish();
    // Six kana and three kanji take 18 columns, the rest 16.
    EXPECT_EQ(written_, (std::vector<std::string>{"\rバックテスト: 100 回中 37 回 (37%)",
                                                  "\r" + std::string(34, ' ') + "\r"}));
}

} // namespace
