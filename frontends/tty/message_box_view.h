// The terminal's message box: a framed box centred on the screen with the caption
// in its top line, the text, and one OK button. Lines wider than the screen wrap;
// text taller than the screen scrolls. Used by the terminal front end; no curses.
#pragma once

#include "frontends/tty/screen_grid.h"

#include <string>
#include <string_view>
#include <vector>

// The text as lines of at most maxWidth cells. Tabs become spaces and trailing
// blanks are dropped; a longer line is cut before the last word that starts within
// the width, so lines built alike (the columns of a report) are cut alike.
std::vector<std::wstring> WrapText(std::wstring_view text, int maxWidth);

struct MessageBoxView {
    CellRect frame;
    CellRect closeBox;
    CellRect okButton;
    CellRect text; // where the visible lines go
    std::vector<std::wstring> lines;
    int firstLine = 0; // the first visible line, kept in range
    int visibleLines = 0;

    bool MoreAbove() const {
        return firstLine > 0;
    }
    bool MoreBelow() const {
        return firstLine + visibleLines < static_cast<int>(lines.size());
    }
};

// Lays the box out for a screen of rows x columns, scrolled to show firstLine first
// (or as near as the text allows).
MessageBoxView LayOutMessageBox(std::wstring_view caption, std::wstring_view text, int rows,
                                int columns, int firstLine);
void DrawMessageBox(ScreenGrid& grid, const MessageBoxView& view, std::wstring_view caption);
