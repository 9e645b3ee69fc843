// Tests of kivo6-check's progress line: when it appears, how often it is rewritten,
// and that Finish wipes exactly what was shown. A fake clock and a recording writer
// stand in for the steady clock and the terminal.
#include "check/progress.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

// Terminal columns, counted here independently of the product: the meter's text is
// ASCII apart from kana and kanji, which take two columns each.
int Columns(std::string_view text) {
    int columns = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) {
            ++columns;
        } else if (byte >= 0xE0) { // a three-byte character: kana and kanji
            columns += 2;
        }
    }
    return columns;
}

class ProgressMeterTest : public ::testing::Test {
  protected:
    ProgressMeter Meter(Language language = Language::English) {
        return ProgressMeter(
            language, [this] { return now_; },
            [this](std::string_view text) { written_.emplace_back(text); });
    }

    double now_ = 100.0; // the steady clock does not start at zero
    std::vector<std::string> written_;
};

TEST_F(ProgressMeterTest, StaysSilentForTheFirstSecondAfterItStarts) {
    ProgressMeter meter = Meter();
    now_ = 100.5;
    meter.Update(1, 100);
    now_ = 100.99;
    meter.Update(2, 100);
    EXPECT_TRUE(written_.empty());
    now_ = 101.0;
    meter.Update(3, 100);
    ASSERT_EQ(written_.size(), 1u);
    EXPECT_EQ(written_[0], "\rBacktest: 3 of 100 draws (3%)");
}

TEST_F(ProgressMeterTest, RunShorterThanASecondWritesNothingAtAll) {
    ProgressMeter meter = Meter();
    for (int done = 1; done <= 10; ++done) {
        now_ += 0.05;
        meter.Update(done, 10);
    }
    meter.Finish();
    EXPECT_TRUE(written_.empty());
}

TEST_F(ProgressMeterTest, RewritesAtMostTenTimesASecondButAlwaysShowsTheEnd) {
    ProgressMeter meter = Meter();
    now_ = 101.2;
    meter.Update(10, 40);
    now_ = 101.25;
    meter.Update(11, 40); // too soon after the last line
    now_ = 101.31;
    meter.Update(12, 40);
    now_ = 101.32;
    meter.Update(40, 40); // the end shows however soon it comes
    ASSERT_EQ(written_.size(), 3u);
    EXPECT_EQ(written_[0], "\rBacktest: 10 of 40 draws (25%)");
    EXPECT_EQ(written_[1], "\rBacktest: 12 of 40 draws (30%)");
    EXPECT_EQ(written_[2], "\rBacktest: 40 of 40 draws (100%)");
}

TEST_F(ProgressMeterTest, FinishClearsTheLongestLineShownAndOnlyOnce) {
    ProgressMeter meter = Meter();
    now_ = 102.0;
    meter.Update(9, 100);
    now_ = 103.0;
    meter.Update(100, 100);
    ASSERT_EQ(written_.size(), 2u);
    const int longest = Columns(written_[1]) - 1; // less the carriage return
    EXPECT_GT(longest, Columns(written_[0]) - 1);
    meter.Finish();
    ASSERT_EQ(written_.size(), 3u);
    EXPECT_EQ(written_[2], "\r" + std::string(static_cast<std::size_t>(longest), ' ') + "\r");
    meter.Finish();
    EXPECT_EQ(written_.size(), 3u);
}

TEST_F(ProgressMeterTest, JapaneseLineIsClearedByItsWidthOnTheTerminal) {
    ProgressMeter meter = Meter(Language::Japanese);
    now_ = 101.5;
    meter.Update(37, 100);
    ASSERT_EQ(written_.size(), 1u);
    EXPECT_EQ(written_[0], "\rバックテスト: 100 回中 37 回 (37%)");
    meter.Finish();
    ASSERT_EQ(written_.size(), 2u);
    // Six kana, three kanji: 18 columns, and 16 of ASCII.
    EXPECT_EQ(written_[1], "\r" + std::string(34, ' ') + "\r");
}

} // namespace
