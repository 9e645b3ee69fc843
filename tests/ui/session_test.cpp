// Whole sessions of the program on Linux: the real entry routine and dialog
// procedures over the stand-in window model, driven by the scripted front end with
// the clock stopped at one second, so every answer shown is known in advance.
#include "support/core_fixture.h"
#include "support/scripted_front_end.h"

#include "history/state.h"
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

    // Runs the program to its end; its exit status.
    int Run() {
        return WinMain(ProgramModule(), nullptr, const_cast<char*>(""), 1);
    }

    static bool Checked(HWND dialog, int id) {
        return SendMessageA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }

    ScriptedFrontEnd user_;

  private:
    std::filesystem::path previousFolder_;
};

TEST_F(Session, WithoutHistoryTwoBoxesAndNoDialog) {
    user_.Dismiss().Dismiss();
    EXPECT_EQ(Run(), 0);
    ASSERT_EQ(user_.boxes.size(), 2u);
    EXPECT_EQ(user_.boxes[0].text, "Data Read ERROR");
    EXPECT_EQ(user_.boxes[1].text, "ERROR ReadData");
    for (const RecordedBox& box : user_.boxes) {
        EXPECT_EQ(box.caption, "Dialog");
        EXPECT_EQ(box.type, static_cast<UINT>(MB_ICONWARNING | MB_OK));
        EXPECT_EQ(box.ownerCaption, "");
    }
    EXPECT_TRUE(user_.openedDialogs.empty());
}

TEST_F(Session, StartsWithNormalParityAndFocusOnExit) {
    WriteHistory();
    user_
        .Inspect([](HWND dialog) {
            EXPECT_EQ(dialog->caption, "KIVO6");
            EXPECT_TRUE(Checked(dialog, IDC_MODE_NORMAL));
            EXPECT_FALSE(Checked(dialog, IDC_MODE_EVEN));
            EXPECT_FALSE(Checked(dialog, IDC_EXCLUDE_PREVIOUS));
            EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDOK));
            EXPECT_EQ(ParityMode, PARITY_NORMAL);
            EXPECT_EQ(excludePrevious, 0);
            EXPECT_NE(DebugOutput().find("Init Dialog\n"), std::string::npos);
        })
        .Click(IDOK);
    EXPECT_EQ(Run(), 0);
    EXPECT_TRUE(user_.boxes.empty());
}

TEST_F(Session, Type1AnswersFollowTheOptionsChosenJustBefore) {
    WriteHistory();
    user_.Click(IDC_MODE_EVEN).Click(IDC_TYPE1).Dismiss();
    user_.Click(IDC_MODE_ODD).Click(IDC_EXCLUDE_PREVIOUS).Click(IDC_TYPE1).Dismiss();
    user_.Click(IDC_MODE_NORMAL).Click(IDC_TYPE1).Dismiss();
    user_.Click(IDOK);
    EXPECT_EQ(Run(), 0);
    ASSERT_EQ(user_.boxes.size(), 3u);
    EXPECT_EQ(user_.boxes[0].text, kType1EvenWithLatest);
    EXPECT_EQ(user_.boxes[1].text, kType1OddWithoutLatest);
    EXPECT_EQ(user_.boxes[2].text, kType1NormalWithoutLatest);
    for (const RecordedBox& box : user_.boxes) {
        EXPECT_EQ(box.ownerCaption, "KIVO6");
        EXPECT_EQ(box.caption, "Dialog");
        EXPECT_EQ(box.type, static_cast<UINT>(MB_ICONWARNING | MB_OK));
    }
}

TEST_F(Session, ReportsShowTheSameTextEachTime) {
    WriteHistory();
    user_.Click(IDC_PROBABILITY).Dismiss().Click(IDC_PROBABILITY).Dismiss();
    user_.Click(IDC_HISTORY).Dismiss().Click(IDC_HISTORY).Dismiss().Click(IDOK);
    EXPECT_EQ(Run(), 0);
    ASSERT_EQ(user_.boxes.size(), 4u);
    // The table's first line, converted from code page 932, and the latest draw first.
    EXPECT_EQ(user_.boxes[0].text.substr(0, user_.boxes[0].text.find('\n')),
              "[01]:  6回: 3.3％  [02]:  7回: 3.9％  [03]:  5回: 2.8％  [04]:  4回: 2.2％  "
              "[05]:  3回: 1.7％  ");
    EXPECT_EQ(user_.boxes[1].text, user_.boxes[0].text);
    EXPECT_EQ(user_.boxes[2].text.substr(0, user_.boxes[2].text.find('\n')),
              "No.030 : [23][24][25][30][35][41]:[43]");
    EXPECT_EQ(user_.boxes[3].text, user_.boxes[2].text);
}

TEST_F(Session, SettingsOkCommitsAndCancelKeeps) {
    WriteHistory();
    // OK by Enter from a check box commits; Type 2 then leaves out 1-10 and the latest draw.
    user_.Click(IDC_SETTINGS)
        .Inspect([](HWND settings) {
            EXPECT_EQ(settings->caption, "詳細設定");
            EXPECT_FALSE(IsWindowEnabled(settings->owner));
            for (int id = IDC_DECADE_1; id <= IDC_PAST_10; ++id) {
                if (GetDlgItem(settings, id) != nullptr) {
                    EXPECT_FALSE(Checked(settings, id)) << id;
                }
            }
        })
        .Click(IDC_DECADE_1)
        .Click(IDC_PAST_1)
        .Click(IDC_PAST_2)
        .Click(IDC_PAST_2)
        .Key(VK_RETURN);
    user_.Click(IDC_TYPE2).Dismiss();
    // Changes dropped three ways: the Cancel button, Escape and the close box.
    user_.Click(IDC_SETTINGS)
        .Inspect([](HWND settings) {
            EXPECT_TRUE(Checked(settings, IDC_DECADE_1));
            EXPECT_TRUE(Checked(settings, IDC_PAST_1));
            EXPECT_FALSE(Checked(settings, IDC_PAST_2));
        })
        .Click(IDC_DECADE_2)
        .Click(IDCANCEL);
    user_.Click(IDC_SETTINGS).Click(IDC_DECADE_3).Key(VK_ESCAPE);
    user_.Click(IDC_SETTINGS).Click(IDC_DECADE_1).CloseBox();
    user_.Inspect([](HWND dialog) { EXPECT_TRUE(IsWindowEnabled(dialog)); });
    // A later OK commits what the dialog showed, not the clicks cancelled before it.
    user_.Click(IDC_SETTINGS).Click(IDOK).Inspect([](HWND) {
        EXPECT_EQ(std::vector<int>(std::begin(DecadeFlags), std::end(DecadeFlags)),
                  (std::vector<int>{1, 0, 0, 0, 0}));
        EXPECT_EQ(std::vector<int>(std::begin(PastDrawFlags), std::end(PastDrawFlags)),
                  (std::vector<int>{1, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    });
    user_.Click(IDC_TYPE2).Dismiss().Click(IDOK);
    EXPECT_EQ(Run(), 0);
    ASSERT_EQ(user_.boxes.size(), 2u);
    EXPECT_EQ(user_.boxes[0].text, kType2WithoutFirstDecadeAndLatest);
    EXPECT_EQ(user_.boxes[1].text, kType2WithoutFirstDecadeAndLatest);
    EXPECT_EQ(user_.openedDialogs.size(), 6u);
}

TEST_F(Session, EveryWayOutEndsTheProgram) {
    WriteHistory();
    struct Way {
        const char* name;
        std::function<void(ScriptedFrontEnd&)> take;
    };
    const Way ways[] = {
        {"exit button", [](ScriptedFrontEnd& user) { user.Click(IDOK); }},
        {"mnemonic X, focus elsewhere",
         [](ScriptedFrontEnd& user) { user.Key(VK_TAB).Key(VK_TAB).Mnemonic('x'); }},
        {"Enter", [](ScriptedFrontEnd& user) { user.Key(VK_RETURN); }},
        {"Space", [](ScriptedFrontEnd& user) { user.Key(VK_SPACE); }},
        {"Escape", [](ScriptedFrontEnd& user) { user.Key(VK_ESCAPE); }},
        {"close box", [](ScriptedFrontEnd& user) { user.CloseBox(); }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        ScriptedFrontEnd user;
        way.take(user);
        EXPECT_EQ(Run(), 0);
        EXPECT_TRUE(user.boxes.empty());
    }
}

TEST_F(Session, KeyboardAloneReachesEveryOption) {
    WriteHistory();
    // Tab past 結果表示(Type1) (its focus notices ask for nothing), Space on the check
    // box, then from 結果表示(Type2) up into the radio group, which chooses 奇数のみ.
    user_.Key(VK_TAB)
        .Key(VK_TAB)
        .Key(VK_TAB)
        .Key(VK_TAB)
        .Inspect(
            [](HWND dialog) { EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_EXCLUDE_PREVIOUS)); })
        .Key(VK_SPACE)
        .Key(VK_TAB)
        .Inspect([](HWND dialog) { EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_MODE_NORMAL)); })
        .Key(VK_TAB)
        .Key(VK_UP)
        .Inspect([](HWND dialog) {
            EXPECT_TRUE(Checked(dialog, IDC_MODE_ODD));
            EXPECT_FALSE(Checked(dialog, IDC_MODE_NORMAL));
            EXPECT_EQ(ParityMode, PARITY_ODD_ONLY);
            EXPECT_EQ(excludePrevious, 1);
        })
        .Key(VK_TAB, true)
        .Key(VK_TAB, true)
        .Key(VK_TAB, true)
        .Key(VK_TAB, true)
        .Inspect([](HWND dialog) { EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_TYPE1)); })
        .Key(VK_RETURN)
        .Dismiss()
        .Key(VK_ESCAPE);
    EXPECT_EQ(Run(), 0);
    ASSERT_EQ(user_.boxes.size(), 1u);
    EXPECT_EQ(user_.boxes[0].text, kType1OddWithoutLatest);
}

TEST_F(Session, MainDialogTakesNoInputWhileABoxIsUp) {
    WriteHistory();
    user_.Click(IDC_HISTORY).Click(IDC_PROBABILITY).Key(VK_ESCAPE).CloseBox().Dismiss().Click(IDOK);
    EXPECT_EQ(Run(), 0);
    ASSERT_EQ(user_.boxes.size(), 1u);
    EXPECT_EQ(user_.boxes[0].text.substr(0, user_.boxes[0].text.find('\n')),
              "No.030 : [23][24][25][30][35][41]:[43]");
}

} // namespace
