// Tests of the terminal front end's drawing rules without a terminal: full-width
// characters on the grid, captions that run on, and the program's own dialogs drawn
// whole and centred on the character grid.
#include "frontends/tty/dialog_view.h"
#include "frontends/tty/tty_front_end.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <clocale>
#include <memory>
#include <tuple>

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

// A check box's caption runs on past its 20 units (6 cells) into free cells, whole;
// beside another control it stops a blank short of it, ending in an ellipsis.
TEST_F(TtyLayout, CaptionsRunOnIntoFreeCellsAndStopShortOfAControl) {
    WindowRecord dialog;
    dialog.cx = 100; // 31 x 4 cells inside the frame, which fills the 33 x 6 screen
    dialog.cy = 40;
    const auto add = [&](std::int16_t x, std::int16_t y, const char* caption) {
        WindowRecord& control = *dialog.controls.emplace_back(std::make_unique<WindowRecord>());
        control.parent = &dialog;
        control.kind = ControlKind::CheckBox;
        control.caption = caption;
        std::tie(control.x, control.y, control.cx, control.cy) = std::tuple(x, y, 20, 10);
    };
    add(0, 0, "前々々回（3回目）");
    add(0, 20, "ｷｬﾝｾﾙｷｬﾝｾﾙｷｬﾝｾﾙ");
    add(40, 20, "4回目"); // at column 12 of the client area
    ScreenGrid grid(6, 33);
    DrawDialog(grid, LayOutDialog(&dialog, 6, 33), true);
    EXPECT_EQ(grid.RowText(1), L"│[ ] 前々々回（3回目）          │");
    EXPECT_EQ(grid.RowText(3), L"│[ ] ｷｬﾝｾﾙｷ… [ ] 4回目          │");
}

// The cells a control draws on: its rectangle and its caption's run to the right.
bool Covers(const ControlView& view, int row, int column) {
    return view.rect.Contains(row, column) ||
           (row == view.textRow && column >= view.rect.left && column < view.textRight);
}

// A row's text from a cell on; a full-width character is one character in two cells.
std::wstring TextFrom(const ScreenGrid& grid, int row, int column) {
    std::wstring text;
    for (; column < grid.Columns(); ++column) {
        if (!grid.At(row, column).trailing) {
            text.push_back(grid.At(row, column).character);
        }
    }
    return text;
}

// At 80 x 24, texts that must start on given cells, worked out by hand: 0.31 cells a
// unit across and 0.117 down, rounded down, plus the frame, centred.
struct Landmark {
    int dialog, row, column;
    std::wstring text;
};
const Landmark landmarks[] = {
    // 247 x 153 units: 76 x 17 cells inside the frame.
    {IDD_MAIN, 2, 1, L"┌─"},
    {IDD_MAIN, 20, 78, L"┘"},
    {IDD_MAIN, 3, 4, L"┌─ 数字算出 "},
    {IDD_MAIN, 11, 10, L"( ) 奇数のみ"},
    // 結果表示(Type1), widened to show its caption, keeps a blank before the frame.
    {IDD_MAIN, 9, 29, L"┌─────────────────┐ │"},
    // 242 x 187 units: 75 x 21 cells inside the frame, which takes the 23rd row.
    {IDD_SETTINGS, 0, 1, L"┌─"},
    {IDD_SETTINGS, 22, 77, L"┘"},
    {IDD_SETTINGS, 3, 9, L"[ ] 1～10    [ ] 11～20   [ ] 21～30"},
    {IDD_SETTINGS, 9, 29, L"[ ] 前々回（2回目）  [ ] 前々々回（3回目）  │"},
};
int current = 0; // the dialog being checked
int dialogsChecked = 0;

// Each caption shows whole, no two controls share a cell or stand side by side without
// a blank between them, and the landmarks stand where they should.
INT_PTR CALLBACK CheckLayoutAndEnd(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message != WM_INITDIALOG) {
        return FALSE;
    }
    const DialogView view = LayOutDialog(dialog, 24, 80);
    ScreenGrid grid(24, 80);
    DrawDialog(grid, view, true);
    for (const ControlView& control : view.controls) {
        SCOPED_TRACE(control.control->caption);
        const bool group = control.control->kind == ControlKind::GroupBox;
        EXPECT_NE(grid.RowText(group ? control.rect.top : control.textRow)
                      .find(LabelOf(*control.control).text),
                  std::wstring::npos);
        for (const ControlView& other : view.controls) {
            if (group || &other == &control || other.control->kind == ControlKind::GroupBox) {
                continue;
            }
            for (int r = view.client.top; r < view.client.bottom; ++r) {
                for (int c = view.client.left; c < view.client.right; ++c) {
                    EXPECT_FALSE(Covers(control, r, c) &&
                                 (Covers(other, r, c) || Covers(other, r, c + 1)))
                        << other.control->caption << " at " << r << "," << c;
                }
            }
        }
    }
    for (const Landmark& landmark : landmarks) {
        if (landmark.dialog == current) {
            EXPECT_EQ(TextFrom(grid, landmark.row, landmark.column).substr(0, landmark.text.size()),
                      landmark.text);
        }
    }
    ++dialogsChecked;
    EndDialog(dialog, 0);
    return FALSE;
}

// Other screen sizes are the input tests': their clicks land on the dialog centred on
// 100 x 40 cells.
TEST_F(TtyLayout, ProgramDialogsShowWholeAndCentred) {
    TtyFrontEnd idle; // never started: each dialog ends before it would be shown
    SetFrontEnd(&idle);
    for (const int dialog : {IDD_MAIN, IDD_SETTINGS}) {
        current = dialog;
        DialogBoxParamA(ProgramModule(), MAKEINTRESOURCEA(dialog), nullptr, CheckLayoutAndEnd, 0);
    }
    SetFrontEnd(nullptr);
    EXPECT_EQ(dialogsChecked, 2);
}

} // namespace
