// A smoke test of kivo6-tty itself in a tmux terminal: the real program starts on
// the example history, draws the main dialog, opens a box with a key and closes it
// with a click, and ends on Alt+X. What the dialogs do is tested without a terminal; this shows the
// pieces are put together and the terminal is taken and given back.
#include "terminal_session.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(TtyProgram, StartsShowsABoxAndEndsOnAltX) {
    TerminalSession session(std::filesystem::temp_directory_path() / "kivo6-tty-tests" / "smoke");
    std::filesystem::copy_file(KIVO6_EXAMPLE_HISTORY, session.Folder() / "data.txt");
    session.Start(KIVO6_TTY_PROGRAM, 100, 40);

    Screen screen;
    const auto mainDialogUp = [](const Screen& s) {
        return s.Contains(L"[ 詳細設定 ]") && s.Contains(L"終了（X）");
    };
    ASSERT_TRUE(session.WaitFor(mainDialogUp, &screen)) << screen.Dump();
    EXPECT_NE(screen.Row(0).find(L"─ KIVO6 ─"), std::wstring::npos) << screen.Dump();

    // 過去の当選結果 is three Tabs on; its box ends with the OK button.
    session.Keys({"Tab", "Tab", "Tab", "Enter"});
    ASSERT_TRUE(session.WaitFor([](const Screen& s) { return s.Contains(L"[ OK ]"); }, &screen))
        << screen.Dump();
    const auto ok = screen.Find(L"[ OK ]");
    ASSERT_TRUE(ok.has_value());
    session.Click(ok->row, ok->column + 2);
    ASSERT_TRUE(session.WaitFor(
        [&](const Screen& s) { return !s.Contains(L"[ OK ]") && mainDialogUp(s); }, &screen))
        << screen.Dump();

    session.Keys({"M-x"});
    EXPECT_EQ(session.WaitForExit(), std::optional<int>(0));
}

} // namespace
