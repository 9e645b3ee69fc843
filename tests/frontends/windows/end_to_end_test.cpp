// End-to-end tests of kivo6.exe on the real Win32 dialog manager (on Linux, Wine's):
// only what the program file alone can get wrong. It starts on a data.txt into its
// main dialog; an answer arrives in a warning box with one OK button, whose closing
// gives the dialog back; without a data.txt it shows the two failure boxes and ends;
// it ends with status 0. What each answer says, and how the dialogs behave, is tested
// on the core and on the dialog procedures.
#include "session.h"

#include "resources/resource.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// One draw: each of 1 to 6 holds 1 of 6 main numbers, 16.666...%, shown as 16.7.
constexpr const char* kHistory = "KIVO6 end-to-end history\n1 2 3 4 5 6 7\nEND\n";

// A message box as the program must show it: captioned "Dialog", with the warning
// icon and one button, OK.
void ExpectWarningBox(const BoxSeen& box) {
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.caption, L"Dialog");
    EXPECT_EQ(box.buttons, 1);
    EXPECT_NE(GetDlgItem(box.window, IDOK), nullptr);
    ASSERT_NE(box.icon, nullptr) << "no icon";
    EXPECT_EQ(IconShown(box.icon), IDI_WARNING);
}

class EndToEnd : public ::testing::Test {
  protected:
    Session session_{testing::UnitTest::GetInstance()->current_test_info()->name()};
};

TEST_F(EndToEnd, AnswerComesInAWarningBoxThatGivesTheDialogBack) {
    session_.WriteData(kHistory);
    session_.Start();
    HWND dialog = session_.WaitForWindow(L"KIVO6");
    ASSERT_NE(dialog, nullptr) << "the main dialog did not open";

    ClickItem(dialog, IDC_PROBABILITY);
    const BoxSeen box = session_.ReadBox();
    ExpectWarningBox(box);
    EXPECT_EQ(box.owner, dialog);
    EXPECT_FALSE(IsWindowEnabled(dialog));
    // 回 and ％ arrive as those characters from the program's code page 932 text.
    EXPECT_EQ(box.text.rfind(L"[01]:  1\u56DE: 16.7\uFF05  [02]:  1\u56DE: 16.7\uFF05  ", 0), 0u)
        << testing::PrintToString(box.text);

    ASSERT_TRUE(DismissBox(box)) << "the box did not close on OK";
    EXPECT_TRUE(WaitUntil([dialog] { return IsWindowEnabled(dialog) != FALSE; }));
    ClickItem(dialog, IDOK);
    EXPECT_EQ(session_.WaitForExit(), 0u);
}

TEST_F(EndToEnd, WithoutDataFileTwoBoxesThenExitWithoutDialog) {
    session_.Start();
    const BoxSeen first = session_.ReadBox();
    ExpectWarningBox(first);
    EXPECT_EQ(first.text, L"Data Read ERROR");
    EXPECT_EQ(first.owner, nullptr);
    ASSERT_TRUE(DismissBox(first));

    const BoxSeen second = session_.ReadBox();
    ExpectWarningBox(second);
    EXPECT_EQ(second.text, L"ERROR ReadData");
    EXPECT_EQ(second.owner, nullptr);
    ASSERT_TRUE(DismissBox(second));

    // Ended, so no dialog opened after the boxes.
    EXPECT_EQ(session_.WaitForExit(), 0u);
}

} // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: kivo6_e2e [gtest options] PATH-TO-kivo6.exe\n");
        return 2;
    }
    SetProgramPath(argv[1]);
    return RUN_ALL_TESTS();
}
