// Where a dialog of the window model and its controls fall on the character grid,
// and how they are drawn there. Used by the terminal front end to draw and to find
// what a mouse click hit; works on the model's records only, never on curses.
#pragma once

#include "frontends/tty/screen_grid.h"
#include "standin/window_model.h"

#include <string>
#include <vector>

// Dialog units on the grid: about 3.2 units a cell across and 8.5 down (see
// dialog_view.cpp). Both edges of a rectangle are rounded down, so controls that
// touch in units touch on screen.
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

// Lays the dialog out centred on a screen of rows x columns. A dialog larger than
// the screen starts at its top left and runs off it: its frame says how much room
// it needs.
DialogView LayOutDialog(HWND dialog, int rows, int columns);

// Draws the dialog on top of what the grid holds. An inactive dialog (an owner
// beneath a modal window) is drawn dim and without its focus.
void DrawDialog(ScreenGrid& grid, const DialogView& view, bool active);

// In place of dialogs that do not fit: "KIVO6 needs at least W×H; this terminal is
// w×h", centred, on two lines.
void DrawTooSmallNote(ScreenGrid& grid, int needRows, int needColumns);

// The control a click on this cell reaches, or nullptr (group boxes take no clicks).
HWND ControlAt(const DialogView& view, int row, int column);
