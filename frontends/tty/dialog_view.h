// Where a dialog of the window model and its controls fall on the character grid,
// and how they are drawn there. Used by the terminal front end to draw and to find
// what a mouse click hit; works on the model's records only, never on curses.
#pragma once

#include "frontends/tty/screen_grid.h"
#include "standin/window_model.h"

#include <string>
#include <vector>

// Dialog units on the grid: a cell is four units across and eight down. Both edges
// of a rectangle are rounded down, so controls that touch in units touch on screen.
int ColumnFromUnits(int x);
int RowFromUnits(int y);

// A control's caption as drawn, with its mnemonic.
Label LabelOf(const WindowRecord& window);

struct ControlView {
    HWND control = nullptr;
    // The control's cells: its template rectangle, widened into free space where a
    // push button's caption needs more room.
    CellRect rect;
    // The row a check box's or radio button's caption is on, and how far right that
    // caption may run before it meets another control or a frame.
    int textRow = 0;
    int textRight = 0;
};

struct DialogView {
    HWND dialog = nullptr;
    CellRect frame;
    CellRect client;
    CellRect closeBox;
    std::vector<ControlView> controls; // the model's order
};

DialogView LayOutDialog(HWND dialog);

// Draws the dialog on top of what the grid holds. An inactive dialog (an owner
// beneath a modal window) is drawn dim and without its focus.
void DrawDialog(ScreenGrid& grid, const DialogView& view, bool active);

// The control a click on this cell reaches, or nullptr (group boxes take no clicks).
HWND ControlAt(const DialogView& view, int row, int column);
