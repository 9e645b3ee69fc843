// The terminal's message box; see message_box_view.h. The box is as wide as its
// widest line and no wider than the screen, and as tall as its text up to the
// screen's height; the rest of the text is reached by scrolling. Lines stay whole
// because the program's tables (the share table's rows of five) mean something
// only as whole rows.
#include "frontends/tty/message_box_view.h"

#include <algorithm>

namespace {

constexpr int TAB_STOP = 8;
// Frame, blank line, blank line, button, frame: the rows around the text.
constexpr int ROWS_AROUND_TEXT = 5;
constexpr std::wstring_view OK_BUTTON = L"[ OK ]";
constexpr std::wstring_view WARNING_MARK = L" /!\\ ";

std::wstring TrimRight(std::wstring line) {
    while (!line.empty() && line.back() == L' ') {
        line.pop_back();
    }
    return line;
}

// Splits at '\n' (dropping '\r'), expands tabs, trims trailing blanks. A final
// newline ends the last line rather than starting an empty one.
std::vector<std::wstring> SplitLines(std::wstring_view text) {
    std::vector<std::wstring> lines;
    std::wstring line;
    int column = 0;
    for (wchar_t character : text) {
        if (character == L'\n') {
            lines.push_back(TrimRight(line));
            line.clear();
            column = 0;
        } else if (character == L'\t') {
            do {
                line.push_back(L' ');
                ++column;
            } while (column % TAB_STOP != 0);
        } else if (character != L'\r') {
            line.push_back(character);
            column += CharacterWidth(character);
        }
    }
    if (!line.empty() || lines.empty()) {
        lines.push_back(TrimRight(line));
    }
    return lines;
}

} // namespace

MessageBoxView LayOutMessageBox(std::wstring_view caption, std::wstring_view text, int rows,
                                int columns, int firstLine, int firstColumn) {
    MessageBoxView view;
    rows = std::max(rows, 0);
    columns = std::max(columns, 0);
    view.lines = SplitLines(text);
    int& textWidth = view.textWidth;
    for (const std::wstring& line : view.lines) {
        textWidth = std::max(textWidth, TextWidth(line));
    }
    // The top line holds a corner, a dash, the warning mark, the caption, a blank, a
    // dash, the close box and a corner.
    const int titleWidth = TextWidth(caption) + static_cast<int>(WARNING_MARK.size()) + 7;
    const int inside = std::max({textWidth, static_cast<int>(OK_BUTTON.size()), titleWidth - 4});
    const int padding = inside + 6 <= columns ? 2 : 1;
    const int width = std::min(columns, inside + 2 * padding + 2);
    const int lineCount = static_cast<int>(view.lines.size());
    const int height = std::min(rows, lineCount + ROWS_AROUND_TEXT);

    view.visibleLines = std::max(0, height - ROWS_AROUND_TEXT);
    view.firstLine = std::clamp(firstLine, 0, std::max(0, lineCount - view.visibleLines));
    const int left = (columns - width) / 2;
    const int top = (rows - height) / 2;
    view.frame = {left, top, left + width, top + height};
    view.closeBox = {view.frame.right - 4, top, view.frame.right - 1, top + 1};
    view.text = {left + 1 + padding, top + 2, view.frame.right - 1 - padding,
                 top + 2 + view.visibleLines};
    view.firstColumn = std::clamp(firstColumn, 0, std::max(0, textWidth - view.text.Width()));
    const int buttonLeft = left + (width - static_cast<int>(OK_BUTTON.size())) / 2;
    const int buttonRow = view.frame.bottom - 2;
    view.okButton = {buttonLeft, buttonRow, buttonLeft + static_cast<int>(OK_BUTTON.size()),
                     buttonRow + 1};
    return view;
}

void DrawMessageBox(ScreenGrid& grid, const MessageBoxView& view, std::wstring_view caption) {
    const CellRect screen = grid.Bounds();
    const CellRect& frame = view.frame;
    grid.Fill(frame, L' ', STYLE_PLAIN);
    grid.Frame(frame, SingleFrame(), STYLE_PLAIN, screen);

    const CellRect titleLine{frame.left + 1, frame.top, view.closeBox.left - 1, frame.top + 1};
    int column = grid.Put(frame.top, frame.left + 2, WARNING_MARK, STYLE_BOLD, titleLine);
    column = grid.PutLabel(frame.top, column, titleLine.right - 1, Label{std::wstring(caption), -1},
                           STYLE_PLAIN, titleLine);
    grid.Put(frame.top, column, L" ", STYLE_PLAIN, titleLine);
    const CellRect frameLine{frame.left + 1, frame.top, frame.right - 1, frame.top + 1};
    const wchar_t closeBox[] = {L'[', CloseMark(), L']', L'\0'};
    grid.Put(frame.top, view.closeBox.left, closeBox, STYLE_PLAIN, frameLine);

    for (int k = 0; k < view.visibleLines; ++k) {
        const auto line = static_cast<std::size_t>(view.firstLine + k);
        if (line < view.lines.size()) {
            // Scrolled sideways, the text starts left of the box and is clipped to it;
            // a full-width character cut by the edge is left off.
            grid.Put(view.text.top + k, view.text.left - view.firstColumn, view.lines[line],
                     STYLE_PLAIN, view.text);
        }
    }

    const CellRect inside{frame.left + 1, frame.top + 1, frame.right - 1, frame.bottom - 1};
    grid.Put(view.okButton.top, view.okButton.left, OK_BUTTON, STYLE_REVERSE | STYLE_BOLD, inside);

    const int bottom = frame.bottom - 1;
    const CellRect bottomLine{frame.left + 1, bottom, frame.right - 1, bottom + 1};
    if (view.MoreLeft() || view.MoreRight()) {
        // Which columns are shown, and which way there are more, at the bottom frame's
        // left; the arrow keys scroll.
        std::wstring where = L" ";
        if (view.MoreLeft()) {
            where += SidewaysArrow(false);
            where += L' ';
        }
        where += L"columns " + std::to_wstring(view.firstColumn + 1) + L"-" +
                 std::to_wstring(view.firstColumn + view.text.Width()) + L" of " +
                 std::to_wstring(view.textWidth);
        if (view.MoreRight()) {
            where += L' ';
            where += SidewaysArrow(true);
        }
        where += L" ";
        grid.Put(bottom, frame.left + 2, where, STYLE_BOLD, bottomLine);
    }
    if (view.MoreAbove() || view.MoreBelow()) {
        // Which lines are shown, and which way there are more, in the bottom frame.
        std::wstring where = L" ";
        if (view.MoreAbove()) {
            where += L"^ ";
        }
        where += std::to_wstring(view.firstLine + 1) + L"-" +
                 std::to_wstring(view.firstLine + view.visibleLines) + L" of " +
                 std::to_wstring(view.lines.size());
        if (view.MoreBelow()) {
            where += L" v more";
        }
        where += L" ";
        grid.Put(bottom, std::max(bottomLine.left, frame.right - 2 - TextWidth(where)), where,
                 STYLE_BOLD, bottomLine);
    }
}
