// The terminal front end in-process: an xterm's key and mouse bytes go through a pipe
// and curses into the front end, which runs the main dialog with a procedure that
// records each click. The end of the pipe is a hang-up, answered with Cancel. The
// 78 x 19 dialog is centred on 100 x 40 cells, its client area from row 11 and
// column 12: a control's cell is its template position in units times 0.31 across
// and 0.117 down, rounded down, from there.
#include "frontends/tty/tty_front_end.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <optional>
#include <regex>
#include <string>
#include <vector>

namespace {

using Commands = std::vector<int>;

Commands recorded;
std::string boxText; // shown when 結果表示(Type1) is clicked, if not empty

INT_PTR CALLBACK RecordingProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        // As the program starts: the radio group's Tab stop is its checked button.
        SendMessageA(GetDlgItem(dialog, IDC_MODE_NORMAL), BM_SETCHECK, BST_CHECKED, 0);
        return TRUE;
    }
    // Clicks only: the BS_NOTIFY button also reports its focus.
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        recorded.push_back(LOWORD(wParam));
        if (LOWORD(wParam) == IDC_TYPE1 && !boxText.empty()) {
            MessageBoxA(dialog, boxText.c_str(), "Dialog", MB_ICONWARNING);
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
        }
    }
    return FALSE;
}

// The commands the main dialog's procedure receives for the bytes typed; each screen
// composed goes to `composed`.
Commands Type(const std::string& typed, std::function<void(const ScreenGrid&)> composed = {}) {
    int ends[2];
    EXPECT_EQ(pipe(ends), 0);
    EXPECT_EQ(write(ends[1], typed.data(), typed.size()), static_cast<ssize_t>(typed.size()));
    close(ends[1]);
    std::FILE* input = fdopen(ends[0], "r");
    std::FILE* output = std::fopen("/dev/null", "w");
    recorded.clear();
    TtyFrontEnd frontEnd;
    frontEnd.composed = std::move(composed);
    // Without a terminal the dialog would wait for input for ever; Start says why.
    if (frontEnd.Start(input, output)) {
        SetFrontEnd(&frontEnd);
        DialogBoxParamA(ProgramModule(), MAKEINTRESOURCEA(IDD_MAIN), nullptr, RecordingProc, 0);
        SetFrontEnd(nullptr);
        frontEnd.Stop();
    }
    std::fclose(input);
    std::fclose(output);
    return recorded;
}

// The left button pressed (0) or released (3), or the wheel turned down (65) or up
// (64), over a cell, as an X10 mouse report: the button, then the 1-based column and
// row, each plus 32. Curses merges reports that
// arrive together, as a terminal's never do; F12, which the dialog ignores, keeps each
// on its own.
std::string Mouse(int button, int row, int column) {
    return std::string("\x1b[M") + static_cast<char>(32 + button) + static_cast<char>(33 + column) +
           static_cast<char>(33 + row) + "\x1b[24~";
}

std::string Click(int row, int column) {
    return Mouse(0, row, column) + Mouse(3, row, column);
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

TEST_F(TtyInput, KeysAndClicksReachTheDialog) {
    const struct {
        const char* name;
        std::string typed;
        Commands expected;
    } cases[] = {
        // Escape and x together are Alt+X, 終了（&X） (IDOK); Escape alone would cancel.
        {"Alt+X", "\x1bx", {IDOK, IDCANCEL}},
        // Escape before Escape is Escape alone: it cancels, and the x after comes too late.
        {"Escape Escape x", "\x1b\x1bx", {IDCANCEL}},
        // Shift+Tab from 終了 to 詳細設定, Enter; round to 結果表示(Type1), Space; on to
        // the radio group's 通常, Down to 偶数のみ.
        {"Shift+Tab Enter Tab Tab Space Tab*4 Down",
         "\x1b[Z\r\t\t \t\t\t\t\x1bOB",
         {IDC_SETTINGS, IDC_TYPE1, IDC_MODE_EVEN, IDCANCEL}},
        // 前回の数字を排除 at 22,27 units, 奇数のみ at 28,71.
        {"clicks on a check box and a radio button",
         Click(14, 18) + Click(19, 20),
         {IDC_EXCLUDE_PREVIOUS, IDC_MODE_ODD, IDCANCEL}},
        // Pressed on 結果表示(Type1) at 94,59 units, let go on 過去の当選結果 at 172,35.
        {"press and release on different buttons", Mouse(0, 17, 41) + Mouse(3, 15, 65), {IDCANCEL}},
        // The close box, [×] at the right end of the dialog's top line (columns 85 to
        // 87 of row 10), ends it before the click on the check box.
        {"the close box", Click(10, 86) + Click(14, 18), {IDCANCEL}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Type(c.typed), c.expected) << c.name;
    }
}

// 終了（&X） with the focus, on the first of the two rows of its default button (194,121
// units, 46 by 23: columns 60 to 73, "< 終了（X） >", from the client's): three
// full-width characters of two cells each, then X reversed and underlined.
TEST_F(TtyInput, FocusAndMnemonicShowOnFullWidthCaptions) {
    std::optional<ScreenGrid> shown;
    Type("", [&](const ScreenGrid& grid) {
        if (grid.RowText(10).find(L"─ KIVO6 ─") != std::wstring::npos) {
            shown = grid;
        }
    });
    ASSERT_TRUE(shown.has_value());
    const wchar_t characters[] = {L'終', 0, L'了', 0, L'（', 0, L'X', L'）'};
    for (int k = 0; k < 8; ++k) {
        SCOPED_TRACE("column " + std::to_string(74 + k));
        const Cell& cell = shown->At(25, 74 + k);
        EXPECT_EQ(cell.trailing ? 0 : cell.character, characters[k]);
        EXPECT_EQ(cell.style & (STYLE_REVERSE | STYLE_UNDERLINE),
                  k == 6 ? STYLE_REVERSE | STYLE_UNDERLINE : STYLE_REVERSE);
    }
}

// A hundred lines in a box on 40 rows: 35 show, and the box's bottom frame says which.
// Page Up and Down move a page less one line, the wheel three lines a notch; the ends
// hold, Up at the top included.
TEST_F(TtyInput, KeysAndTheWheelScrollAMessageBox) {
    for (int line = 1; line <= 100; ++line) {
        boxText += "line " + std::to_string(line) + " of a box wide enough\n";
    }
    std::vector<std::wstring> shown; // each new position the bottom frame gives
    const Commands commands = Type(
        std::string("\t\r") +                               // 結果表示(Type1) opens the box
            "\x1bOA\x1bOB\x1b[6~" + "\x1bOF\x1bOA\x1b[5~" + // Up, Down, Page Down; End, Up, Page Up
            "\x1bOH" + Mouse(65, 0, 0) + Mouse(64, 0, 0) +  // Home, the wheel down a notch, up
            "\x1b\x1b[24~x", // Escape, kept alone by F12, closes the box; x reaches the dialog
        [&](const ScreenGrid& grid) {
            // The position in the bottom frame, with the blank around it.
            static const std::wregex position(L"└─+( [^─]+ )─");
            for (int row = 0; row < grid.Rows(); ++row) {
                const std::wstring text = grid.RowText(row);
                std::wsmatch found;
                if (std::regex_search(text, found, position) &&
                    (shown.empty() || shown.back() != found.str(1))) {
                    shown.push_back(found.str(1));
                }
            }
        });
    EXPECT_EQ(shown,
              (std::vector<std::wstring>{
                  L" 1-35 of 100 v more ", L" ^ 2-36 of 100 v more ", L" ^ 36-70 of 100 v more ",
                  L" ^ 66-100 of 100 ", L" ^ 65-99 of 100 v more ", L" ^ 31-65 of 100 v more ",
                  L" 1-35 of 100 v more ", L" ^ 4-38 of 100 v more ", L" 1-35 of 100 v more "}));
    EXPECT_EQ(commands, (Commands{IDC_TYPE1, IDOK, IDCANCEL}));
}

// One row short of the 78 x 19 dialog, a note says what is needed, centred, and keys
// do not reach the unseen dialog (x, its mnemonic, is not taken). Once the terminal
// is 78 x 19 the dialog is drawn, its frame filling the screen.
TEST_F(TtyInput, TooSmallATerminalIsNamedUntilResized) {
    setenv("LINES", "18", 1);
    setenv("COLUMNS", "78", 1);
    int notes = 0;
    bool dialogAfterNote = false;
    const Commands commands = Type("x", [&](const ScreenGrid& grid) {
        if (grid.Rows() == 18 &&
            grid.RowText(8) ==
                std::wstring(25, L' ') + L"KIVO6 needs at least 78×19;" + std::wstring(26, L' ') &&
            grid.RowText(9) ==
                std::wstring(28, L' ') + L"this terminal is 78×18" + std::wstring(28, L' ')) {
            // The second note follows the x: the terminal grows as curses waits again.
            if (++notes == 2) {
                setenv("LINES", "19", 1);
                raise(SIGWINCH);
            }
        }
        dialogAfterNote =
            dialogAfterNote || (notes > 0 && grid.Rows() == 19 && grid.At(0, 0).character == L'┌' &&
                                grid.At(18, 77).character == L'┘');
    });
    EXPECT_EQ(notes, 2);
    EXPECT_TRUE(dialogAfterNote);
    EXPECT_EQ(commands, (Commands{IDCANCEL}));
}

// The share table, five entries of 19 cells a row (93 with the last one's blanks
// dropped), in a box on 80 columns: its rows stay whole and 76 cells show. Right
// moves 8 cells, up to the last 76; the wheel, with no rows to scroll, moves back 8,
// Left on to the first. A full-width character cut by the box's edge is left out.
TEST_F(TtyInput, WideBoxesScrollSideways) {
    setenv("LINES", "24", 1);
    setenv("COLUMNS", "80", 1);
    // "回" and "％" in code page 932, as the program writes them.
#define KAI "\x89\xf1"
#define PERCENT "\x81\x93"
    boxText = "[01]: 12" KAI ": 8.0" PERCENT "  [02]:  9" KAI ": 6.0" PERCENT "  [03]: 11" KAI
              ": 7.3" PERCENT "  [04]:  3" KAI ": 2.0" PERCENT "  [05]:  7" KAI ": 4.7" PERCENT
              "  \n[06]: 10" KAI ": 6.7" PERCENT "  ";
    std::vector<std::wstring> hints;           // the bottom frame's, as they change
    std::map<std::wstring, std::wstring> rows; // the first row of the box, by hint
    Type(std::string("\t\r") + "\x1bOC\x1bOC\x1bOC" + Mouse(64, 0, 0) + "\x1bOD\x1bOD" +
             "\x1b\x1b[24~",
         [&](const ScreenGrid& grid) {
             // The box is 7 rows, 8 to 14; its text from row 10.
             static const std::wregex hint(L"└─( [^─]+ )─");
             std::wsmatch found;
             const std::wstring bottom = grid.RowText(14);
             if (!std::regex_search(bottom, found, hint) ||
                 (!hints.empty() && hints.back() == found.str(1))) {
                 return;
             }
             hints.push_back(found.str(1));
             rows[hints.back()] = grid.RowText(10);
         });
    EXPECT_EQ(hints,
              (std::vector<std::wstring>{L" columns 1-76 of 93 → ", L" ← columns 9-84 of 93 → ",
                                         L" ← columns 17-92 of 93 → ", L" ← columns 18-93 of 93 ",
                                         L" ← columns 10-85 of 93 → ", L" ← columns 2-77 of 93 → ",
                                         L" columns 1-76 of 93 → "}));
    EXPECT_EQ(rows[L" ← columns 17-92 of 93 → "],
              L"│    [02]:  9回: 6.0％  [03]: 11回: 7.3％  [04]:  3回: 2.0％  [05]:  7回: 4.7  │");
    EXPECT_EQ(rows[L" ← columns 18-93 of 93 "],
              L"│   [02]:  9回: 6.0％  [03]: 11回: 7.3％  [04]:  3回: 2.0％  [05]:  7回: 4.7％ │");
}

} // namespace
