// The terminal's message box: a framed box centred on the screen with the caption
// in its top line, the text, and one OK button. Lines are never broken: text wider
// than the screen scrolls sideways, text taller than it up and down. Used by the
// terminal front end; no curses.
#pragma once

#include "frontends/tty/screen_grid.h"

#include <string>
#include <string_view>
#include <vector>

struct MessageBoxView {
    CellRect frame;
    CellRect closeBox;
    CellRect okButton;
    CellRect text; // where the visible lines go
    std::vector<std::wstring> lines;
    int firstLine = 0; // the first visible line, kept in range
    int visibleLines = 0;
    int firstColumn = 0; // the text's first visible cell, kept in range
    int textWidth = 0;   // of the widest line

    bool MoreAbove() const {
        return firstLine > 0;
    }
    bool MoreBelow() const {
        return firstLine + visibleLines < static_cast<int>(lines.size());
    }
    bool MoreLeft() const {
        return firstColumn > 0;
    }
    bool MoreRight() const {
        return firstColumn + text.Width() < textWidth;
    }
};

// Lays the box out for a screen of rows x columns, scrolled to show firstLine and
// firstColumn first (or as near as the text allows).
MessageBoxView LayOutMessageBox(std::wstring_view caption, std::wstring_view text, int rows,
                                int columns, int firstLine, int firstColumn = 0);
void DrawMessageBox(ScreenGrid& grid, const MessageBoxView& view, std::wstring_view caption);
