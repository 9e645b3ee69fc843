// A character grid the size of the terminal, composed in layers (dialogs, then
// message boxes) before the terminal front end copies it to curses. Knows nothing
// of curses: it keeps full-width characters whole and every write inside a clip.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Cells [left, right) x [top, bottom) of the screen.
struct CellRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const {
        return right - left;
    }
    int Height() const {
        return bottom - top;
    }
    bool Contains(int row, int column) const {
        return row >= top && row < bottom && column >= left && column < right;
    }
    CellRect Intersect(const CellRect& other) const;
};

enum CellStyle : unsigned {
    STYLE_PLAIN = 0,
    STYLE_REVERSE = 1u << 0,
    STYLE_UNDERLINE = 1u << 1,
    STYLE_BOLD = 1u << 2,
    STYLE_DIM = 1u << 3,
};

struct Cell {
    wchar_t character = L' ';
    unsigned style = STYLE_PLAIN;
    // The right half of the full-width character in the cell to the left.
    bool trailing = false;
};

// How many cells a character takes: 2 for full-width, 1 otherwise. Characters the
// locale cannot show count as 1 and are drawn as '?'.
int CharacterWidth(wchar_t character);
int TextWidth(std::wstring_view text);
// UTF-8 as wide characters; malformed bytes become U+FFFD.
std::wstring WideFromUtf8(std::string_view text);

// The line-drawing characters, or ASCII stand-ins where the locale has none.
struct FrameGlyphs {
    wchar_t horizontal, vertical, topLeft, topRight, bottomLeft, bottomRight;
};
const FrameGlyphs& SingleFrame();
const FrameGlyphs& DoubleFrame();
// "…" where the locale shows it in one cell, else '~'.
wchar_t Ellipsis();
// "×" where the locale shows it in one cell, else 'x'.
wchar_t CloseMark();
// "→" or "←" where the locale shows it in one cell, else '>' or '<'.
wchar_t SidewaysArrow(bool right);

// A caption as drawn, and which of its characters is the mnemonic (-1 for none).
struct Label {
    std::wstring text;
    int mnemonic = -1;
};

class ScreenGrid {
  public:
    ScreenGrid(int rows, int columns);

    int Rows() const {
        return rows_;
    }
    int Columns() const {
        return columns_;
    }
    CellRect Bounds() const {
        return {0, 0, columns_, rows_};
    }
    const Cell& At(int row, int column) const;

    // Writes text from (row, column), keeping inside `clip` and the grid; a character
    // that would straddle an edge is left off, never cut in half. Returns the column
    // after the text as if nothing had been clipped.
    int Put(int row, int column, std::wstring_view text, unsigned style, const CellRect& clip);
    int PutCharacter(int row, int column, wchar_t character, unsigned style, const CellRect& clip);
    void Fill(const CellRect& rect, wchar_t character, unsigned style);
    // Adds style bits to the cells of a rectangle (inside the grid).
    void AddStyle(const CellRect& rect, unsigned style);
    void Frame(const CellRect& rect, const FrameGlyphs& glyphs, unsigned style,
               const CellRect& clip);

    // Draws label.text from (row, column) within [column, right), ending with an
    // ellipsis when it does not fit, the mnemonic underlined. Returns the column after.
    int PutLabel(int row, int column, int right, const Label& label, unsigned style,
                 const CellRect& clip);

    // One row as text, the right halves of full-width characters left out.
    std::wstring RowText(int row) const;

  private:
    Cell& CellAt(int row, int column);
    // Before a cell is overwritten: blanks the other half of a full-width character
    // it belongs to, so no half character is left behind.
    void Detach(int row, int column);

    int rows_;
    int columns_;
    std::vector<Cell> cells_;
};
