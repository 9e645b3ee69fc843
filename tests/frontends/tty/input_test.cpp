// Tests of the terminal front end's key decoding, in-process: bytes as an xterm
// sends them go through curses into the front end, which runs the program's main
// dialog with a procedure that records each click. The input ends with the pipe,
// which the front end takes as a hang-up and answers with Cancel.
#include "frontends/tty/dialog_view.h"
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
        // The dialog exists and is laid out as drawn, so clicks can find their cells.
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

// The left button pressed (0) or released (3) over a cell, as an X10 mouse report:
// the button, then the 1-based column and row, each plus 32. Curses merges reports
// that arrive together, as a terminal's never do; F12, which the dialog ignores,
// keeps each on its own.
std::string Mouse(int button, int row, int column) {
    return std::string("\x1b[M") + static_cast<char>(32 + button) + static_cast<char>(33 + column) +
           static_cast<char>(33 + row) + "\x1b[24~";
}

std::string ClickAt(const CellRect& rect) {
    return Mouse(0, rect.top, rect.left) + Mouse(3, rect.top, rect.left);
}

CellRect CellsOf(HWND dialog, int id) {
    for (const ControlView& control : LayOutDialog(dialog).controls) {
        if (control.control->id == id) {
            return control.rect;
        }
    }
    ADD_FAILURE() << "no control " << id;
    return {};
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
        // The sequences below are XFree86 xterm's, whose mouse reports are X10's; the
        // size keeps every control on screen.
        setenv("TERM", "xterm-xfree86", 1);
        setenv("LINES", "40", 1);
        setenv("COLUMNS", "100", 1);
    }
};

TEST_F(TtyInput, AltWithAMnemonicIsTheMnemonicNotEscape) {
    // Escape and x arrive together: Alt+X, 終了（&X） (IDOK). Escape alone would cancel.
    EXPECT_EQ(Type([](HWND) { return std::string("\x1bx"); }), (Commands{IDOK, IDCANCEL}));
    // The letter alone is the mnemonic too, in either case.
    EXPECT_EQ(Type([](HWND) { return std::string("X"); }), (Commands{IDOK, IDCANCEL}));
    // Escape before Escape is Escape alone: it cancels, and the x after comes too late.
    EXPECT_EQ(Type([](HWND) { return std::string("\x1b\x1bx"); }), (Commands{IDCANCEL}));
}

TEST_F(TtyInput, SequencesAreDecodedIntoKeys) {
    const Commands commands = Type([](HWND) {
        return std::string("\x1b[Z\r") + // Shift+Tab from 終了 to 詳細設定, Enter
               "\t\t " +                 // round to 結果表示(Type1), Space
               "\t\t\t\t\x1bOB";         // on to the radio group's 通常, Down to 偶数のみ
    });
    EXPECT_EQ(commands, (Commands{IDC_SETTINGS, IDC_TYPE1, IDC_MODE_EVEN, IDCANCEL}));
}

TEST_F(TtyInput, AClickIsAPressAndAReleaseOnTheSameControl) {
    const Commands commands = Type([](HWND dialog) {
        const CellRect type1 = CellsOf(dialog, IDC_TYPE1);
        const CellRect history = CellsOf(dialog, IDC_HISTORY);
        return ClickAt(CellsOf(dialog, IDC_EXCLUDE_PREVIOUS)) +
               // Pressed on one button and let go on another: no click.
               Mouse(0, type1.top, type1.left) + Mouse(3, history.top, history.left) +
               ClickAt(CellsOf(dialog, IDC_MODE_ODD)) +
               // The dialog's close box, at the right end of its top line, ends it
               // before the last click.
               ClickAt(LayOutDialog(dialog).closeBox) +
               ClickAt(CellsOf(dialog, IDC_EXCLUDE_PREVIOUS));
    });
    EXPECT_EQ(commands, (Commands{IDC_EXCLUDE_PREVIOUS, IDC_MODE_ODD, IDCANCEL}));
}

} // namespace
