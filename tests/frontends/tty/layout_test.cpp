// Tests of the terminal front end's drawing rules without a terminal: full-width
// characters on the grid, wrapping of message box text, boxes on tiny screens, and the
// layout of the program's own dialogs on the character grid.
#include "frontends/tty/dialog_view.h"
#include "frontends/tty/message_box_view.h"
#include "frontends/tty/tty_front_end.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <clocale>

namespace {

class TtyLayout : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(std::setlocale(LC_CTYPE, "C.UTF-8"), nullptr);
    }
};

TEST_F(TtyLayout, FullWidthCharactersAreNeverCutInHalf) {
    ScreenGrid grid(1, 8);
    grid.Put(0, 0, L"終了終了", STYLE_PLAIN, grid.Bounds());
    // Overwriting the right half of 了 must not leave its left half behind.
    grid.Put(0, 3, L"x", STYLE_PLAIN, grid.Bounds());
    EXPECT_EQ(grid.RowText(0), L"終 x終了");
    // Nor the left half of 終 its right half.
    grid.Put(0, 4, L"y", STYLE_PLAIN, grid.Bounds());
    EXPECT_EQ(grid.RowText(0), L"終 xy 了");
    // A character that would straddle the edge of the clip is left off.
    grid.Put(0, 0, L"abc終了", STYLE_PLAIN, CellRect{0, 0, 6, 1});
    EXPECT_EQ(grid.RowText(0), L"abc終 了");
}

TEST_F(TtyLayout, WrappedLinesBuiltAlikeAreCutAlike) {
    const std::wstring line = L"[01]:  3回: 2.3％  [02]: 12回: 9.1％  [03]:  1回: 0.8％";
    EXPECT_EQ(
        WrapText(line + L"\n" + line + L"\n", 40),
        (std::vector<std::wstring>{L"[01]:  3回: 2.3％  [02]: 12回: 9.1％", L"[03]:  1回: 0.8％",
                                   L"[01]:  3回: 2.3％  [02]: 12回: 9.1％", L"[03]:  1回: 0.8％"}));
    // A word wider than the box is cut between characters.
    EXPECT_EQ(WrapText(L"前々々回", 5), (std::vector<std::wstring>{L"前々", L"々回"}));
}

TEST_F(TtyLayout, BoxStaysOnScreensResizedDownToOneCell) {
    for (const auto& [rows, columns] : {std::pair{1, 1}, {3, 7}, {5, 20}}) {
        SCOPED_TRACE(std::to_string(rows) + "x" + std::to_string(columns));
        ScreenGrid grid(rows, columns);
        const MessageBoxView view =
            LayOutMessageBox(L"Dialog", L"Data Read ERROR\n", rows, columns, 0);
        EXPECT_EQ(view.frame.Intersect(grid.Bounds()).Width(), view.frame.Width());
        EXPECT_EQ(view.frame.Intersect(grid.Bounds()).Height(), view.frame.Height());
        DrawMessageBox(grid, view, L"Dialog");
    }
}

// Whether two controls draw on a common cell of the client area: each draws on its
// rectangle and its caption's run to the right.
bool Overlap(const CellRect& client, const ControlView& a, const ControlView& b) {
    const auto covers = [](const ControlView& view, int row, int column) {
        return view.rect.Contains(row, column) ||
               (row == view.textRow && column >= view.rect.left && column < view.textRight);
    };
    for (int row = client.top; row < client.bottom; ++row) {
        for (int column = client.left; column < client.right; ++column) {
            if (covers(a, row, column) && covers(b, row, column)) {
                return true;
            }
        }
    }
    return false;
}

int dialogsChecked = 0;

// Each control stays inside the dialog and covers no other; a push button whose
// caption is wider than its template's rectangle widens to show it whole, which there
// is room for in both dialogs.
INT_PTR CALLBACK CheckLayoutAndEnd(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message != WM_INITDIALOG) {
        return FALSE;
    }
    const DialogView view = LayOutDialog(dialog);
    for (const ControlView& control : view.controls) {
        SCOPED_TRACE(control.control->caption);
        const CellRect& rect = control.rect;
        EXPECT_TRUE(
            view.client.Contains(rect.top, rect.left) &&
            view.client.Contains(rect.bottom - 1, std::max(rect.right, control.textRight) - 1));
        if (control.control->kind == ControlKind::PushButton) {
            EXPECT_GE(rect.Width(), TextWidth(LabelOf(*control.control).text) + 2);
        }
        for (const ControlView& other : view.controls) {
            if (&other != &control && control.control->kind != ControlKind::GroupBox &&
                other.control->kind != ControlKind::GroupBox) {
                EXPECT_FALSE(Overlap(view.client, control, other)) << other.control->caption;
            }
        }
    }
    ++dialogsChecked;
    EndDialog(dialog, 0);
    return FALSE;
}

TEST_F(TtyLayout, ProgramDialogsStayInsideAndNoControlCoversAnother) {
    TtyFrontEnd idle; // never started: each dialog ends before it would be shown
    SetFrontEnd(&idle);
    for (int id : {IDD_MAIN, IDD_SETTINGS}) {
        DialogBoxParamA(ProgramModule(), MAKEINTRESOURCEA(id), nullptr, CheckLayoutAndEnd, 0);
    }
    SetFrontEnd(nullptr);
    EXPECT_EQ(dialogsChecked, 2);
}

} // namespace
