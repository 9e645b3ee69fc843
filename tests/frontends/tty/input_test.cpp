// Tests of the terminal front end's key decoding, in-process: bytes as an xterm
// sends them go through curses into the front end, which runs the program's main
// dialog with a procedure that records each click. The input ends with the pipe,
// which the front end takes as a hang-up and answers with Cancel.
#include "frontends/tty/tty_front_end.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

using Commands = std::vector<int>;

Commands recorded;
std::function<std::string(HWND)> typeInto;
std::FILE* keyboard = nullptr; // the writing end of the front end's input

INT_PTR CALLBACK RecordingProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        // As the program starts: the radio group's Tab stop is its checked button.
        SendMessageA(GetDlgItem(dialog, IDC_MODE_NORMAL), BM_SETCHECK, BST_CHECKED, 0);
        const std::string bytes = typeInto(dialog);
        std::fwrite(bytes.data(), 1, bytes.size(), keyboard);
        std::fclose(keyboard);
        keyboard = nullptr;
        return TRUE;
    }
    // Clicks only: the BS_NOTIFY button also reports its focus.
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        recorded.push_back(LOWORD(wParam));
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
        }
    }
    return FALSE;
}

// The commands the main dialog's procedure receives for the bytes `type` returns.
Commands Type(std::function<std::string(HWND)> type) {
    int pipeEnds[2];
    EXPECT_EQ(pipe(pipeEnds), 0);
    std::FILE* input = fdopen(pipeEnds[0], "r");
    keyboard = fdopen(pipeEnds[1], "w");
    std::FILE* output = std::fopen("/dev/null", "w");
    recorded.clear();
    typeInto = std::move(type);

    TtyFrontEnd frontEnd;
    EXPECT_TRUE(frontEnd.Start(input, output));
    SetFrontEnd(&frontEnd);
    DialogBoxParamA(ProgramModule(), MAKEINTRESOURCEA(IDD_MAIN), nullptr, RecordingProc, 0);
    SetFrontEnd(nullptr);
    frontEnd.Stop();
    std::fclose(input);
    std::fclose(output);
    return recorded;
}

class TtyInput : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(std::setlocale(LC_CTYPE, "C.UTF-8"), nullptr);
        // The sequences below are xterm's; the size keeps every control on screen.
        setenv("TERM", "xterm", 1);
        setenv("LINES", "40", 1);
        setenv("COLUMNS", "100", 1);
    }
};

TEST_F(TtyInput, AltWithAMnemonicIsTheMnemonicNotEscape) {
    // Escape and x arrive together: Alt+X, 終了（&X） (IDOK). Escape alone would cancel.
    EXPECT_EQ(Type([](HWND) { return std::string("\x1bx"); }), (Commands{IDOK, IDCANCEL}));
    // The letter alone is the mnemonic too, in either case.
    EXPECT_EQ(Type([](HWND) { return std::string("X"); }), (Commands{IDOK, IDCANCEL}));
    // Escape twice is Escape: the first cancels.
    EXPECT_EQ(Type([](HWND) { return std::string("\x1b\x1b"); }), (Commands{IDCANCEL}));
}

TEST_F(TtyInput, SequencesAreDecodedIntoKeys) {
    const Commands commands = Type([](HWND) {
        return std::string("\x1b[Z\r") + // Shift+Tab from 終了 to 詳細設定, Enter
               "\t\t " +                 // round to 結果表示(Type1), Space
               "\t\t\t\t\x1bOB";         // on to the radio group's 通常, Down to 偶数のみ
    });
    EXPECT_EQ(commands, (Commands{IDC_SETTINGS, IDC_TYPE1, IDC_MODE_EVEN, IDCANCEL}));
}

} // namespace
