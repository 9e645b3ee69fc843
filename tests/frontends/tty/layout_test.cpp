// Tests of the terminal front end's drawing rules without a terminal: full-width
// characters on the grid, wrapping of message box text, and the layout of the
// program's own dialogs on the character grid.
#include "frontends/tty/dialog_view.h"
#include "frontends/tty/message_box_view.h"
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
    const std::vector<std::wstring> wrapped = WrapText(line + L"\n" + line + L"\n", 40);
    ASSERT_EQ(wrapped.size(), 4u);
    EXPECT_EQ(wrapped[0], L"[01]:  3回: 2.3％  [02]: 12回: 9.1％");
    EXPECT_EQ(wrapped[1], L"[03]:  1回: 0.8％");
    EXPECT_EQ(wrapped[2], wrapped[0]);
    // A word wider than the box is cut between characters.
    EXPECT_EQ(WrapText(L"前々々回", 5), (std::vector<std::wstring>{L"前々", L"々回"}));
}

// Ten lines in a box on a screen of 10 rows by 30 columns: the box is 20 wide
// (the caption's line sets it) and the 10 rows tall, which leaves 5 for the text.
TEST_F(TtyLayout, TallTextScrollsWithinTheScreenAndSaysWhere) {
    std::wstring text;
    for (int line = 1; line <= 10; ++line) {
        text += L"line " + std::to_wstring(line) + L"\n";
    }
    ScreenGrid grid(10, 30);
    // Asked to scroll past the end, the box shows the last five lines.
    MessageBoxView view = LayOutMessageBox(L"Dialog", text, 10, 30, 100);
    EXPECT_EQ(view.frame.left, 5);
    EXPECT_EQ(view.frame.right, 25);
    EXPECT_EQ(view.frame.top, 0);
    EXPECT_EQ(view.frame.bottom, 10);
    EXPECT_EQ(view.visibleLines, 5);
    EXPECT_EQ(view.firstLine, 5);
    DrawMessageBox(grid, view, L"Dialog");
    EXPECT_EQ(grid.RowText(0).substr(5, 20), L"┌─ /!\\ Dialog ──[×]┐");
    EXPECT_EQ(grid.RowText(2).substr(5, 9), L"│  line 6");
    EXPECT_EQ(grid.RowText(6).substr(5, 10), L"│  line 10");
    EXPECT_EQ(grid.RowText(9).substr(5, 20), L"└─── ^ 6-10 of 10 ─┘");

    view = LayOutMessageBox(L"Dialog", text, 10, 30, -3);
    EXPECT_EQ(view.firstLine, 0);
    DrawMessageBox(grid, view, L"Dialog");
    EXPECT_EQ(grid.RowText(2).substr(5, 9), L"│  line 1");
    EXPECT_EQ(grid.RowText(9).substr(5, 20), L"└ 1-5 of 10 v more ┘");
}

TEST_F(TtyLayout, BoxStaysOnScreensResizedDownToOneCell) {
    for (const auto& [rows, columns] : {std::pair{1, 1}, {3, 7}, {5, 20}}) {
        SCOPED_TRACE(std::to_string(rows) + "x" + std::to_string(columns));
        ScreenGrid grid(rows, columns);
        const MessageBoxView view =
            LayOutMessageBox(L"Dialog", L"Data Read ERROR\n", rows, columns, 0);
        EXPECT_EQ(view.frame.Intersect(grid.Bounds()).Width(), view.frame.Width());
        EXPECT_EQ(view.frame.Intersect(grid.Bounds()).Height(), view.frame.Height());
        EXPECT_GE(view.visibleLines, 0);
        DrawMessageBox(grid, view, L"Dialog");
    }
}

// The cells a control draws on: its rectangle and the caption's run to the right.
bool Covers(const ControlView& view, int row, int column) {
    return view.rect.Contains(row, column) ||
           (row == view.textRow && column >= view.rect.left && column < view.textRight);
}

void ExpectTidyLayout(const DialogView& view) {
    SCOPED_TRACE(view.dialog->caption);
    EXPECT_EQ(view.frame.left, 0);
    EXPECT_EQ(view.frame.top, 0);
    for (const ControlView& control : view.controls) {
        const CellRect& rect = control.rect;
        EXPECT_TRUE(
            view.client.Contains(rect.top, rect.left) &&
            view.client.Contains(rect.bottom - 1, std::max(rect.right, control.textRight) - 1))
            << control.control->caption;
        if (control.control->kind == ControlKind::GroupBox) {
            continue;
        }
        for (const ControlView& other : view.controls) {
            if (&other == &control || other.control->kind == ControlKind::GroupBox) {
                continue;
            }
            for (int row = view.client.top; row < view.client.bottom; ++row) {
                for (int column = view.client.left; column < view.client.right; ++column) {
                    ASSERT_FALSE(Covers(control, row, column) && Covers(other, row, column))
                        << control.control->caption << " and " << other.control->caption;
                }
            }
        }
        // A push button whose caption is wider than its template's rectangle widens
        // to show it whole where there is room: all of them, in these two dialogs.
        if (control.control->kind == ControlKind::PushButton) {
            EXPECT_GE(rect.Width(), TextWidth(LabelOf(*control.control).text) + 2)
                << control.control->caption;
        }
    }
}

// Opens each of the program's dialogs in the window model and checks its layout
// while the dialog exists.
class LayoutProbe final : public FrontEnd {
  public:
    void DialogOpened(HWND dialog) override {
        ExpectTidyLayout(LayOutDialog(dialog));
        ++opened;
        EndDialog(dialog, 0);
    }
    void DialogClosed(HWND) override {}
    void DialogChanged(HWND) override {}
    void WaitForInput() override {}
    void ShowMessageBox(HWND, const std::string&, const std::string&, UINT) override {}
    int opened = 0;
};

INT_PTR CALLBACK Quiet(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

TEST_F(TtyLayout, ProgramDialogsStayInsideAndNoControlCoversAnother) {
    LayoutProbe probe;
    SetFrontEnd(&probe);
    for (int id : {IDD_MAIN, IDD_SETTINGS}) {
        DialogBoxParamA(ProgramModule(), MAKEINTRESOURCEA(id), nullptr, Quiet, 0);
    }
    SetFrontEnd(nullptr);
    EXPECT_EQ(probe.opened, 2);
}

} // namespace
