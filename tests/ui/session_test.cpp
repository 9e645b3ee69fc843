// Whole sessions of the program: the real entry routine and dialog procedures, on
// user32 under Wine in the Windows builds and on our stand-in elsewhere, driven
// step by step as a user would, with the clock stopped at one second so every answer
// shown is known in advance.
#include "support/core_fixture.h"
#include "support/dialog_steps.h"
#include "support/session_host.h"

#include "core/history/state.h"
#include "resources/resource.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

constexpr std::uint32_t kSecond = 1700000000;

// The answers for WriteHistory's draws at kSecond, as the program gives them (the
// Windows program gives the same bytes): Type 1 under each option the sessions
// choose, and Type 2 leaving out 1-10 and the latest draw's numbers.
constexpr char kType1EvenWithLatest[] = "Pattern 1\n\n02 10 18 32 34 40\n02 10 12 20 26 38\n"
                                        "02 22 32 34 36 38\n";
constexpr char kType1OddWithoutLatest[] = "Pattern 2\n\n01 03 07 13 31 39\n09 11 15 21 29 33\n"
                                          "09 11 19 27 31 39\n";
constexpr char kType1NormalWithoutLatest[] = "Pattern 2\n\n03 31 32 34 39 40\n"
                                             "03 04 09 10 11 26\n14 22 26 28 29 31\n";
constexpr char kType2WithoutFirstDecadeAndLatest[] =
    "Type 2\n\n18 31 32 34 39 40\n13 14 15 26 28 29\n19 22 27 33 38 42\n"
    "11 16 20 36 37 43\n01 12 17 21 29 35\n";

class Session : public CoreTest {
  protected:
    void SetUp() override {
        CoreTest::SetUp();
        previousFolder_ = std::filesystem::current_path();
        std::filesystem::current_path(folder_);
        StopClockAt(kSecond);
    }
    void TearDown() override {
        std::filesystem::current_path(previousFolder_);
        CoreTest::TearDown();
    }

    void WriteHistory() {
        std::vector<Draw> draws;
        for (int i = 0; i < 30; ++i) {
            draws.push_back({1 + i % 43, 1 + (i * 7 + 3) % 43, 1 + (i * 11 + 5) % 43,
                             1 + (i * 13 + 9) % 43, 1 + (i * 17 + 20) % 43, 1 + (i * 19 + 30) % 43,
                             1 + (i * 23 + 1) % 43});
            // Keep each draw's numbers distinct, as a real history has them.
            std::sort(draws.back().begin(), draws.back().end());
            for (int k = 1; k < 7; ++k) {
                if (draws.back()[k] <= draws.back()[k - 1]) {
                    draws.back()[k] = draws.back()[k - 1] % 43 + 1;
                }
            }
        }
        std::ofstream("data.txt", std::ios::binary) << HistoryText(draws);
    }

    static DialogStep CloseBox() {
        return [](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); };
    }
    DialogStep Ok() {
        return [this](HWND) { host_.PressBoxOk(); };
    }
    void ExpectBoxes(const std::vector<std::string>& texts, const char* owner = "KIVO6") {
        ASSERT_EQ(host_.boxes.size(), texts.size());
        for (std::size_t i = 0; i < texts.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(host_.boxes[i].text, texts[i]);
            EXPECT_EQ(host_.boxes[i].caption, "Dialog");
            EXPECT_EQ(host_.boxes[i].ownerCaption, owner);
            EXPECT_EQ(host_.boxes[i].type, static_cast<UINT>(MB_ICONWARNING | MB_OK));
        }
    }
    static std::string FirstLine(const std::string& text) {
        return text.substr(0, text.find('\n'));
    }

    SessionHost host_;

  private:
    std::filesystem::path previousFolder_;
};

TEST_F(Session, WithoutHistoryTwoBoxesAndNoDialog) {
    EXPECT_EQ(host_.Run({Ok(), Ok()}), 0);
    ExpectBoxes({"Data Read ERROR", "ERROR ReadData"}, "");
}

TEST_F(Session, StartsWithNormalParityAndFocusOnExit) {
    WriteHistory();
    EXPECT_EQ(host_.Run({[](HWND dialog) {
                             EXPECT_TRUE(Checked(dialog, IDC_MODE_NORMAL));
                             EXPECT_FALSE(Checked(dialog, IDC_MODE_EVEN));
                             EXPECT_FALSE(Checked(dialog, IDC_EXCLUDE_PREVIOUS));
                             EXPECT_EQ(ParityMode, PARITY_NORMAL);
                             EXPECT_EQ(excludePrevious, 0);
                         },
                         ExpectFocus(IDOK), Click(IDOK)}),
              0);
    EXPECT_TRUE(host_.boxes.empty());
}

// Each answer's box is owned by the main dialog, which takes no input until it is gone.
TEST_F(Session, Type1AnswersFollowTheOptionsChosenJustBefore) {
    WriteHistory();
    const DialogStep ownerDisabled = [this](HWND dialog) {
        EXPECT_TRUE(host_.BoxUp());
        EXPECT_FALSE(IsWindowEnabled(dialog));
    };
    EXPECT_EQ(host_.Run({Click(IDC_MODE_EVEN), Click(IDC_TYPE1), ownerDisabled, Ok(),
                         [](HWND dialog) { EXPECT_TRUE(IsWindowEnabled(dialog)); },
                         Click(IDC_MODE_ODD), Click(IDC_EXCLUDE_PREVIOUS), Click(IDC_TYPE1), Ok(),
                         Click(IDC_MODE_NORMAL), Click(IDC_TYPE1), Ok(), Click(IDOK)}),
              0);
    ExpectBoxes({kType1EvenWithLatest, kType1OddWithoutLatest, kType1NormalWithoutLatest});
}

TEST_F(Session, ReportsShowTheSameTextEachTime) {
    WriteHistory();
    EXPECT_EQ(host_.Run({Click(IDC_PROBABILITY), Ok(), Click(IDC_PROBABILITY), Ok(),
                         Click(IDC_HISTORY), Ok(), Click(IDC_HISTORY), Ok(), Click(IDOK)}),
              0);
    ASSERT_EQ(host_.boxes.size(), 4u);
    // The table's first line, converted from code page 932, and the latest draw first.
    EXPECT_EQ(FirstLine(host_.boxes[0].text),
              "[01]:  6回: 3.3％  [02]:  7回: 3.9％  [03]:  5回: 2.8％  [04]:  4回: 2.2％  "
              "[05]:  3回: 1.7％  ");
    EXPECT_EQ(host_.boxes[1].text, host_.boxes[0].text);
    EXPECT_EQ(FirstLine(host_.boxes[2].text), "No.030 : [23][24][25][30][35][41]:[43]");
    EXPECT_EQ(host_.boxes[3].text, host_.boxes[2].text);
}

TEST_F(Session, SettingsOkCommitsAndCancelKeeps) {
    WriteHistory();
    HWND main = nullptr;
    const DialogStep expectCommitted = [](HWND settings) {
        EXPECT_TRUE(Checked(settings, IDC_DECADE_1));
        EXPECT_TRUE(Checked(settings, IDC_PAST_1));
        EXPECT_FALSE(Checked(settings, IDC_PAST_2));
        EXPECT_FALSE(Checked(settings, IDC_DECADE_2));
    };
    EXPECT_EQ(
        host_.Run({[&main](HWND dialog) { main = dialog; },
                   // OK by Enter from a check box commits; Type 2 then leaves out 1-10 and
                   // the latest draw.
                   Click(IDC_SETTINGS),
                   [&main](HWND settings) {
                       EXPECT_NE(settings, main);
                       EXPECT_FALSE(IsWindowEnabled(main));
                       for (int id = IDC_DECADE_1; id <= IDC_PAST_10; ++id) {
                           if (GetDlgItem(settings, id) != nullptr) {
                               EXPECT_FALSE(Checked(settings, id)) << id;
                           }
                       }
                   },
                   Click(IDC_DECADE_1), Click(IDC_PAST_1), Click(IDC_PAST_2), Click(IDC_PAST_2),
                   Key(VK_RETURN), Click(IDC_TYPE2), Ok(),
                   // Changes dropped by Cancel (Escape and the close box send it too).
                   Click(IDC_SETTINGS), expectCommitted, Click(IDC_DECADE_2), Click(IDCANCEL),
                   [&main](HWND dialog) {
                       EXPECT_EQ(dialog, main);
                       EXPECT_TRUE(IsWindowEnabled(main));
                   },
                   // A later OK commits what the dialog showed, not the clicks cancelled before.
                   Click(IDC_SETTINGS), Click(IDOK),
                   [](HWND) {
                       EXPECT_EQ(std::vector<int>(std::begin(DecadeFlags), std::end(DecadeFlags)),
                                 (std::vector<int>{1, 0, 0, 0, 0}));
                       EXPECT_EQ(
                           std::vector<int>(std::begin(PastDrawFlags), std::end(PastDrawFlags)),
                           (std::vector<int>{1, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
                   },
                   Click(IDC_TYPE2), Ok(), Click(IDOK)}),
        0);
    ExpectBoxes({kType2WithoutFirstDecadeAndLatest, kType2WithoutFirstDecadeAndLatest});
}

// The exit button's command and IDCANCEL's; Enter, Space and X send the former, as the
// dialog behaviour tests show.
TEST_F(Session, EveryWayOutEndsTheProgram) {
    WriteHistory();
    const struct {
        const char* name;
        std::vector<DialogStep> steps;
    } ways[] = {
        {"exit button", {Click(IDOK)}},
        {"Escape", {Key(VK_ESCAPE)}},
        {"close box", {CloseBox()}},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        EXPECT_EQ(host_.Run(way.steps), 0);
        EXPECT_TRUE(host_.boxes.empty());
    }
}

} // namespace
