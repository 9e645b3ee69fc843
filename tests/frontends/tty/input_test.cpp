// Tests of the terminal front end in-process: keys and mouse reports, as an xterm
// sends them, go through a pipe and curses into the front end, which runs the
// program's main dialog with a procedure that records each click; the screens it
// composes are read back as the terminal would show them. The input ends with the
// pipe, which the front end takes as a hang-up and answers with Cancel.
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
TtyFrontEnd* running = nullptr;
std::string boxText;           // shown when 結果表示(Type1) is clicked, if not empty
std::FILE* keyboard = nullptr; // the writing end of the front end's input

INT_PTR CALLBACK RecordingProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        // As the program starts: the radio group's Tab stop is its checked button.
        SendMessageA(GetDlgItem(dialog, IDC_MODE_NORMAL), BM_SETCHECK, BST_CHECKED, 0);
        // The dialog exists and is laid out as drawn, so clicks can find their cells.
        const std::string bytes = typeInto(dialog);
        std::fwrite(bytes.data(), 1, bytes.size(), keyboard);
        std::fclose(keyboard);
        keyboard = nullptr;
        return TRUE;
    }
    // Clicks only: the BS_NOTIFY button also reports its focus.
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        recorded.push_back(LOWORD(wParam));
        if (LOWORD(wParam) == IDC_TYPE1 && !boxText.empty()) {
            running->ShowMessageBox(dialog, "Dialog", boxText, MB_ICONWARNING);
        }
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
Commands Type(std::function<std::string(HWND)> type,
              std::function<void(const ScreenGrid&)> composed = {}) {
    int pipeEnds[2];
    EXPECT_EQ(pipe(pipeEnds), 0);
    std::FILE* input = fdopen(pipeEnds[0], "r");
    keyboard = fdopen(pipeEnds[1], "w");
    std::FILE* output = std::fopen("/dev/null", "w");
    recorded.clear();
    typeInto = std::move(type);

    TtyFrontEnd frontEnd;
    frontEnd.composed = std::move(composed);
    running = &frontEnd;
    // Without a terminal the dialog would wait for input for ever.
    if (!frontEnd.Start(input, output)) {
        ADD_FAILURE() << "curses did not start on " << std::getenv("TERM");
        std::fclose(keyboard);
        std::fclose(input);
        std::fclose(output);
        return {};
    }
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
        boxText.clear();
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

// 終了（&X） as drawn with the focus on it: three full-width characters of two cells
// each, then X reversed and underlined.
TEST_F(TtyInput, FocusAndMnemonicShowOnFullWidthCaptions) {
    bool seen = false;
    Type([](HWND) { return std::string(); },
         [&](const ScreenGrid& grid) {
             for (int row = 0; row < grid.Rows() && !seen; ++row) {
                 for (int column = 0; column + 6 < grid.Columns(); ++column) {
                     if (grid.At(row, column).character != L'終' ||
                         grid.At(row, column + 2).character != L'了') {
                         continue;
                     }
                     seen = true;
                     EXPECT_TRUE(grid.At(row, column + 1).trailing);
                     EXPECT_EQ(grid.At(row, column + 4).character, L'（');
                     const Cell& x = grid.At(row, column + 6);
                     EXPECT_EQ(x.character, L'X');
                     EXPECT_EQ(x.style & (STYLE_REVERSE | STYLE_UNDERLINE),
                               STYLE_REVERSE | STYLE_UNDERLINE);
                     EXPECT_EQ(grid.At(row, column + 7).character, L'）');
                     EXPECT_NE(grid.At(row, column + 7).style & STYLE_REVERSE, 0u);
                     EXPECT_EQ(grid.At(row, column + 7).style & STYLE_UNDERLINE, 0u);
                     break;
                 }
             }
         });
    EXPECT_TRUE(seen);
}

// Sixty lines in a box on 40 rows: 35 show, and the box's bottom frame says which.
// Page Down moves a page less one line, the wheel three lines a notch.
TEST_F(TtyInput, KeysAndTheWheelScrollAMessageBox) {
    for (int line = 1; line <= 60; ++line) {
        boxText += "line " + std::to_string(line) + " of a box wide enough\n";
    }
    std::vector<std::wstring> shown; // each new position the bottom frame gives
    const auto bottomFrame = [&](const ScreenGrid& grid) {
        for (int row = 0; row < grid.Rows(); ++row) {
            const std::wstring text = grid.RowText(row);
            const std::size_t left = text.find(L'└');
            if (text.find(L" of 60") == std::wstring::npos || left == std::wstring::npos) {
                continue;
            }
            // The bottom frame's line, without its corners and dashes: the blank
            // around the position stays.
            const std::size_t start = text.find_first_not_of(L'─', left + 1);
            const std::wstring where =
                text.substr(start, text.find_last_not_of(L"─┘ ") + 2 - start);
            if (shown.empty() || shown.back() != where) {
                shown.push_back(where);
            }
        }
    };
    const Commands commands = Type(
        [](HWND) {
            return std::string("\t\r") +             // 結果表示(Type1) opens the box
                   "\x1bOB" + "\x1b[6~" + "\x1bOF" + // Down, Page Down (34 lines), End
                   "\x1bOA" + "\x1bOH" +             // Up, Home
                   "\x1b[Ma!!\x1b[24~" +             // the wheel down a notch: 3 lines
                   "\x1b[M`!!\x1b[24~" +             // and up again
                   // Escape, kept alone by the F12 after it, closes the box, so the
                   // x then reaches the dialog.
                   "\x1b\x1b[24~x";
        },
        bottomFrame);
    EXPECT_EQ(shown, (std::vector<std::wstring>{L" 1-35 of 60 v more ", L" ^ 2-36 of 60 v more ",
                                                L" ^ 26-60 of 60 ", L" ^ 25-59 of 60 v more ",
                                                L" 1-35 of 60 v more ", L" ^ 4-38 of 60 v more ",
                                                L" 1-35 of 60 v more "}));
    EXPECT_EQ(commands, (Commands{IDC_TYPE1, IDOK, IDCANCEL}));
}

} // namespace
