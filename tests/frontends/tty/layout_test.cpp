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
