// Dialogs on the character grid; see dialog_view.h. Captions on a terminal are
// wider than in the proportional font the templates were measured in, so a push
// button may widen into empty cells beside it and a check box's caption may run on
// to the right, as long as neither covers another control or a frame.
#include "frontends/tty/dialog_view.h"

#include <algorithm>

namespace {

// Cells per dialog unit, as fractions. Across, 0.31: a terminal's characters are
// wider than the template font's, and 0.31 gives each check box room for its mark
// and caption while the widest dialog (247 units) keeps to 78 columns. Down, 0.117:
// the tallest dialog (187 units) takes 21 rows and its frame 2, within 24 lines,
// and check boxes 14 units apart still land on different rows.
constexpr int COLUMNS_PER_HUNDRED_UNITS = 31;
constexpr int ROWS_PER_THOUSAND_UNITS = 117;

int FloorDivide(int value, int divisor) {
    const int quotient = value / divisor;
    return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

// Which control, if any, covers each cell of a dialog's client area.
class Occupancy {
  public:
    static constexpr int FREE = -1;
    static constexpr int FRAME = -2;
    static constexpr int OUTSIDE = -3;

    explicit Occupancy(const CellRect& client)
        : client_(client), cells_(static_cast<std::size_t>(std::max(client.Width(), 0)) *
                                      static_cast<std::size_t>(std::max(client.Height(), 0)),
                                  FREE) {}

    int At(int row, int column) const {
        return client_.Contains(row, column) ? cells_[Index(row, column)] : OUTSIDE;
    }
    // Claims the free cells of a rectangle for an owner.
    void Claim(const CellRect& rect, int owner) {
        const CellRect area = rect.Intersect(client_);
        for (int row = area.top; row < area.bottom; ++row) {
            for (int column = area.left; column < area.right; ++column) {
                int& cell = cells_[Index(row, column)];
                if (cell == FREE) {
                    cell = owner;
                }
            }
        }
    }
    void ClaimFrame(const CellRect& rect) {
        const CellRect area = rect.Intersect(client_);
        for (int row = area.top; row < area.bottom; ++row) {
            for (int column = area.left; column < area.right; ++column) {
                if (row == rect.top || row == rect.bottom - 1 || column == rect.left ||
                    column == rect.right - 1) {
                    cells_[Index(row, column)] = FRAME;
                }
            }
        }
    }
    bool ColumnFree(int column, int top, int bottom) const {
        for (int row = top; row < bottom; ++row) {
            if (At(row, column) != FREE) {
                return false;
            }
        }
        return true;
    }

  private:
    std::size_t Index(int row, int column) const {
        return static_cast<std::size_t>(row - client_.top) *
                   static_cast<std::size_t>(client_.Width()) +
               static_cast<std::size_t>(column - client_.left);
    }

    CellRect client_;
    std::vector<int> cells_;
};

int LabelWidth(const WindowRecord& control) {
    return TextWidth(LabelOf(control).text);
}

// A push button too narrow for "[ caption ]" (or its framed form) takes free columns
// beside it, right and left in turn so that it stays where it was, keeping a free
// column between it and whatever stands there, so the two do not read as one.
void WidenPushButton(ControlView& view, int owner, int need, Occupancy& occupancy) {
    CellRect& rect = view.rect;
    bool right = true;
    bool left = true;
    while (rect.Width() < need && (right || left)) {
        if (right) {
            right = occupancy.ColumnFree(rect.right, rect.top, rect.bottom) &&
                    occupancy.ColumnFree(rect.right + 1, rect.top, rect.bottom);
            if (right) {
                occupancy.Claim({rect.right, rect.top, rect.right + 1, rect.bottom}, owner);
                ++rect.right;
            }
        }
        if (left && rect.Width() < need) {
            left = occupancy.ColumnFree(rect.left - 1, rect.top, rect.bottom) &&
                   occupancy.ColumnFree(rect.left - 2, rect.top, rect.bottom);
            if (left) {
                occupancy.Claim({rect.left - 1, rect.top, rect.left, rect.bottom}, owner);
                --rect.left;
            }
        }
    }
}

// How far right a caption starting at the control's left edge may be drawn: on
// into free cells up to a frame or another control. A caption cut short by another
// control keeps one blank cell before it, so the two do not read as one.
int CaptionRight(const ControlView& view, int owner, int need, const CellRect& client,
                 Occupancy& occupancy) {
    const int end = view.rect.left + need;
    int column = view.rect.right;
    while (column < end && occupancy.At(view.textRow, column) == Occupancy::FREE) {
        ++column;
    }
    if (column < end && column > view.rect.right && occupancy.At(view.textRow, column) >= 0) {
        --column;
    }
    const int right = std::min(std::max(column, view.rect.right), client.right);
    occupancy.Claim({view.rect.right, view.textRow, right, view.textRow + 1}, owner);
    return right;
}

void DrawGroupBox(ScreenGrid& grid, const ControlView& view, const Label& label, unsigned style,
                  const CellRect& clip) {
    const CellRect& rect = view.rect;
    grid.Frame(rect, SingleFrame(), style, clip);
    if (label.text.empty()) {
        return;
    }
    const int right = rect.right - 2;
    int column = grid.Put(rect.top, rect.left + 2, L" ", style, clip);
    column = grid.PutLabel(rect.top, column, right - 1, label, style, clip);
    grid.Put(rect.top, column, L" ", style, clip);
}

void DrawPushButton(ScreenGrid& grid, const ControlView& view, const Label& label, bool focused,
                    bool isDefault, unsigned style, const CellRect& clip) {
    const CellRect& rect = view.rect;
    if (isDefault) {
        style |= STYLE_BOLD;
    }
    const unsigned face = style | (focused ? STYLE_REVERSE : 0u);
    const int width = TextWidth(label.text);
    if (rect.Height() >= 3) {
        // Tall enough for a frame: double for the default button, the inside reversed
        // when it has the focus.
        grid.Frame(rect, isDefault ? DoubleFrame() : SingleFrame(), style, clip);
        const CellRect inside =
            CellRect{rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1}.Intersect(clip);
        grid.Fill(inside, L' ', face);
        const int column = rect.left + 1 + std::max(0, (rect.Width() - 2 - width + 1) / 2);
        grid.PutLabel(view.textRow, column, rect.right - 1, label, face, inside);
        return;
    }
    // One line: "[ caption ]", or "< caption >" for the default button.
    const int padding = rect.Width() >= width + 4 ? 1 : 0;
    const int total = std::min(rect.Width(), width + 2 + 2 * padding);
    const int start = rect.left + std::max(0, (rect.Width() - total) / 2);
    const int labelRight = start + total - 1 - padding;
    int column = grid.PutCharacter(view.textRow, start, isDefault ? L'<' : L'[', face, clip);
    if (padding != 0) {
        column = grid.PutCharacter(view.textRow, column, L' ', face, clip);
    }
    column = grid.PutLabel(view.textRow, column, labelRight, label, face, clip);
    while (column < start + total - 1) {
        column = grid.PutCharacter(view.textRow, column, L' ', face, clip);
    }
    grid.PutCharacter(view.textRow, column, isDefault ? L'>' : L']', face, clip);
}

void DrawCheckable(ScreenGrid& grid, const WindowRecord& control, const ControlView& view,
                   const Label& label, bool focused, unsigned style, const CellRect& clip) {
    const wchar_t* mark = nullptr;
    if (control.kind == ControlKind::RadioButton) {
        mark = control.check == BST_CHECKED ? L"(*) " : L"( ) ";
    } else {
        mark = control.check == BST_CHECKED     ? L"[x] "
               : control.check == BST_UNCHECKED ? L"[ ] "
                                                : L"[-] ";
    }
    const unsigned face = style | (focused ? STYLE_REVERSE : 0u);
    const CellRect line =
        CellRect{view.rect.left, view.textRow, view.textRight, view.textRow + 1}.Intersect(clip);
    const int column = grid.Put(view.textRow, view.rect.left, mark, face, line);
    grid.PutLabel(view.textRow, column, view.textRight, label, face, line);
}

} // namespace

int ColumnFromUnits(int x) {
    return FloorDivide(x * COLUMNS_PER_HUNDRED_UNITS, 100);
}

int RowFromUnits(int y) {
    return FloorDivide(y * ROWS_PER_THOUSAND_UNITS, 1000);
}

Label LabelOf(const WindowRecord& window) {
    Label label{WideFromUtf8(window.VisibleCaption()), -1};
    // Where the mnemonic lands in the visible text: "&&" shows one '&', a single '&'
    // marks the character after it and is not shown.
    const std::wstring raw = WideFromUtf8(window.caption);
    std::wstring visible;
    int mnemonic = -1;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != L'&') {
            visible.push_back(raw[i]);
        } else if (i + 1 < raw.size() && raw[i + 1] == L'&') {
            visible.push_back(L'&');
            ++i;
        } else if (i + 1 < raw.size() && mnemonic < 0) {
            mnemonic = static_cast<int>(visible.size());
        }
    }
    // Should the model show a caption differently, underline nothing rather than the
    // wrong character.
    if (visible == label.text) {
        label.mnemonic = mnemonic;
    }
    return label;
}

DialogView LayOutDialog(HWND dialog, int rows, int columns) {
    DialogView view;
    view.dialog = dialog;
    // Centred on the screen, as far as it fits; the template's own position is
    // relative to a desktop the terminal does not have.
    const int width = std::max(ColumnFromUnits(dialog->cx), 1) + 2;
    const int height = std::max(RowFromUnits(dialog->cy), 1) + 2;
    const int left = std::max(0, (columns - width) / 2);
    const int top = std::max(0, (rows - height) / 2);
    view.frame = {left, top, left + width, top + height};
    view.client = {left + 1, top + 1, view.frame.right - 1, view.frame.bottom - 1};
    view.closeBox = {view.frame.right - 4, view.frame.top, view.frame.right - 1,
                     view.frame.top + 1};

    Occupancy occupancy(view.client);
    for (const auto& control : dialog->controls) {
        ControlView controlView;
        controlView.control = control.get();
        const int x = control->x;
        const int y = control->y;
        CellRect& rect = controlView.rect;
        rect = {view.client.left + ColumnFromUnits(x), view.client.top + RowFromUnits(y),
                view.client.left + ColumnFromUnits(x + control->cx),
                view.client.top + RowFromUnits(y + control->cy)};
        rect.right = std::max(rect.right, rect.left + 1);
        rect.bottom = std::max(rect.bottom, rect.top + 1);
        controlView.textRow = rect.top + (rect.Height() - 1) / 2;
        controlView.textRight = rect.right;
        view.controls.push_back(controlView);
    }
    // Frames first, so that no control grows over one.
    for (const ControlView& controlView : view.controls) {
        if (controlView.control->kind == ControlKind::GroupBox) {
            occupancy.ClaimFrame(controlView.rect);
        }
    }
    for (std::size_t i = 0; i < view.controls.size(); ++i) {
        if (view.controls[i].control->kind != ControlKind::GroupBox) {
            occupancy.Claim(view.controls[i].rect, static_cast<int>(i));
        }
    }
    for (std::size_t i = 0; i < view.controls.size(); ++i) {
        ControlView& controlView = view.controls[i];
        if (controlView.control->kind == ControlKind::PushButton) {
            WidenPushButton(controlView, static_cast<int>(i), LabelWidth(*controlView.control) + 4,
                            occupancy);
        }
    }
    for (std::size_t i = 0; i < view.controls.size(); ++i) {
        ControlView& controlView = view.controls[i];
        const ControlKind kind = controlView.control->kind;
        if (kind == ControlKind::PushButton || kind == ControlKind::GroupBox) {
            continue;
        }
        const int markWidth = kind == ControlKind::Other ? 0 : 4;
        controlView.textRight =
            CaptionRight(controlView, static_cast<int>(i),
                         markWidth + LabelWidth(*controlView.control), view.client, occupancy);
    }
    return view;
}

void DrawDialog(ScreenGrid& grid, const DialogView& view, bool active) {
    const WindowRecord& dialog = *view.dialog;
    const unsigned base = active ? STYLE_PLAIN : STYLE_DIM;
    const CellRect screen = grid.Bounds();
    grid.Fill(view.frame, L' ', base);
    grid.Frame(view.frame, SingleFrame(), base, screen);

    // The caption in the top line, then the close box at its right end.
    const int top = view.frame.top;
    const CellRect titleLine{view.frame.left + 1, top, view.closeBox.left - 1, top + 1};
    int column = grid.Put(top, view.frame.left + 2, L" ", base, titleLine);
    column =
        grid.PutLabel(top, column, titleLine.right - 1, Label{WideFromUtf8(dialog.caption), -1},
                      base | (active ? STYLE_BOLD : 0u), titleLine);
    grid.Put(top, column, L" ", base, titleLine);
    const CellRect frameLine{view.frame.left + 1, top, view.frame.right - 1, top + 1};
    const wchar_t closeBox[] = {L'[', CloseMark(), L']', L'\0'};
    grid.Put(top, view.closeBox.left, closeBox, base, frameLine);

    const CellRect clip = view.client.Intersect(screen);
    const HWND focus = active ? dialog.focus : nullptr;
    const HWND defaultButton = DefaultButton(view.dialog);
    // Group boxes underneath, so their frames never cross another control.
    for (int pass = 0; pass < 2; ++pass) {
        for (const ControlView& controlView : view.controls) {
            const WindowRecord& control = *controlView.control;
            if ((control.kind == ControlKind::GroupBox) != (pass == 0)) {
                continue;
            }
            const Label label = LabelOf(control);
            const unsigned style = base | (control.enabled ? 0u : STYLE_DIM);
            const bool focused = controlView.control == focus;
            switch (control.kind) {
            case ControlKind::GroupBox:
                DrawGroupBox(grid, controlView, label, style, clip);
                break;
            case ControlKind::PushButton:
                DrawPushButton(grid, controlView, label, focused || control.pressed,
                               controlView.control == defaultButton, style, clip);
                break;
            case ControlKind::CheckBox:
            case ControlKind::RadioButton:
                DrawCheckable(grid, control, controlView, label, focused, style, clip);
                break;
            case ControlKind::Other:
                grid.PutLabel(controlView.textRow, controlView.rect.left, controlView.textRight,
                              label, style, clip);
                break;
            }
        }
    }
}

void DrawTooSmallNote(ScreenGrid& grid, int needRows, int needColumns) {
    const auto size = [](int columns, int rows) {
        return std::to_wstring(columns) + CloseMark() + std::to_wstring(rows);
    };
    const std::wstring lines[] = {L"KIVO6 needs at least " + size(needColumns, needRows) + L";",
                                  L"this terminal is " + size(grid.Columns(), grid.Rows())};
    const int top = std::max(0, (grid.Rows() - 2) / 2);
    for (int k = 0; k < 2; ++k) {
        const int left = std::max(0, (grid.Columns() - TextWidth(lines[k])) / 2);
        grid.Put(top + k, left, lines[k], STYLE_BOLD, grid.Bounds());
    }
}

HWND ControlAt(const DialogView& view, int row, int column) {
    if (!view.client.Contains(row, column)) {
        return nullptr;
    }
    for (const ControlView& controlView : view.controls) {
        if (controlView.control->kind == ControlKind::GroupBox) {
            continue;
        }
        const bool onCaption = row == controlView.textRow && column >= controlView.rect.left &&
                               column < controlView.textRight;
        if (controlView.rect.Contains(row, column) || onCaption) {
            return controlView.control;
        }
    }
    return nullptr;
}
