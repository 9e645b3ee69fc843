// The terminal front end's character grid; see screen_grid.h. Widths come from the
// C library's wcwidth, the same table curses and the terminal use.
#include "frontends/tty/screen_grid.h"

#include <algorithm>
#include <cwchar>

namespace {

// What Put draws for a character: itself, '?' for one the locale cannot show, or
// nothing for a zero-width mark.
struct Shown {
    wchar_t character;
    int width;
};

Shown Show(wchar_t character) {
    const int width = wcwidth(character);
    if (width < 0) {
        return {L'?', 1};
    }
    return {character, std::min(width, 2)};
}

bool ShowsInOneCell(wchar_t character) {
    return wcwidth(character) == 1;
}

} // namespace

CellRect CellRect::Intersect(const CellRect& other) const {
    CellRect both{std::max(left, other.left), std::max(top, other.top),
                  std::min(right, other.right), std::min(bottom, other.bottom)};
    if (both.right < both.left) {
        both.right = both.left;
    }
    if (both.bottom < both.top) {
        both.bottom = both.top;
    }
    return both;
}

int CharacterWidth(wchar_t character) {
    return Show(character).width;
}

int TextWidth(std::wstring_view text) {
    int width = 0;
    for (wchar_t character : text) {
        width += CharacterWidth(character);
    }
    return width;
}

std::wstring WideFromUtf8(std::string_view text) {
    std::wstring wide;
    wide.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        int length = 0;
        char32_t value = 0;
        char32_t least = 0;
        if (lead < 0x80) {
            length = 1;
            value = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2;
            value = lead & 0x1Fu;
            least = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            value = lead & 0x0Fu;
            least = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            value = lead & 0x07u;
            least = 0x10000;
        }
        bool wellFormed = length > 0 && i + static_cast<std::size_t>(length) <= text.size();
        for (int k = 1; wellFormed && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            wellFormed = (next & 0xC0) == 0x80;
            value = (value << 6) | (next & 0x3Fu);
        }
        if (wellFormed && length > 1 &&
            (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))) {
            wellFormed = false;
        }
        if (wellFormed) {
            wide.push_back(static_cast<wchar_t>(value));
            i += static_cast<std::size_t>(length);
        } else {
            wide.push_back(L'\uFFFD');
            ++i;
        }
    }
    return wide;
}

const FrameGlyphs& SingleFrame() {
    static const FrameGlyphs unicode{L'─', L'│', L'┌', L'┐', L'└', L'┘'};
    static const FrameGlyphs ascii{L'-', L'|', L'+', L'+', L'+', L'+'};
    static const bool fits = ShowsInOneCell(L'─') && ShowsInOneCell(L'┌');
    return fits ? unicode : ascii;
}

const FrameGlyphs& DoubleFrame() {
    static const FrameGlyphs unicode{L'═', L'║', L'╔', L'╗', L'╚', L'╝'};
    static const FrameGlyphs ascii{L'=', L'#', L'#', L'#', L'#', L'#'};
    static const bool fits = ShowsInOneCell(L'═') && ShowsInOneCell(L'╔');
    return fits ? unicode : ascii;
}

wchar_t Ellipsis() {
    return ShowsInOneCell(L'…') ? L'…' : L'~';
}

wchar_t CloseMark() {
    return ShowsInOneCell(L'×') ? L'×' : L'x';
}

wchar_t SidewaysArrow(bool right) {
    if (right) {
        return ShowsInOneCell(L'→') ? L'→' : L'>';
    }
    return ShowsInOneCell(L'←') ? L'←' : L'<';
}

ScreenGrid::ScreenGrid(int rows, int columns)
    : rows_(std::max(rows, 0)), columns_(std::max(columns, 0)),
      cells_(static_cast<std::size_t>(rows_) * static_cast<std::size_t>(columns_)) {}

const Cell& ScreenGrid::At(int row, int column) const {
    return cells_[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) +
                  static_cast<std::size_t>(column)];
}

Cell& ScreenGrid::CellAt(int row, int column) {
    return cells_[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) +
                  static_cast<std::size_t>(column)];
}

void ScreenGrid::Detach(int row, int column) {
    Cell& cell = CellAt(row, column);
    if (cell.trailing && column > 0) {
        CellAt(row, column - 1) = Cell{L' ', CellAt(row, column - 1).style, false};
    } else if (column + 1 < columns_ && CellAt(row, column + 1).trailing) {
        CellAt(row, column + 1) = Cell{L' ', CellAt(row, column + 1).style, false};
    }
    cell.trailing = false;
}

int ScreenGrid::PutCharacter(int row, int column, wchar_t character, unsigned style,
                             const CellRect& clip) {
    const Shown shown = Show(character);
    if (shown.width == 0) {
        return column;
    }
    const CellRect area = clip.Intersect(Bounds());
    if (area.Contains(row, column) && area.Contains(row, column + shown.width - 1)) {
        for (int k = 0; k < shown.width; ++k) {
            Detach(row, column + k);
        }
        CellAt(row, column) = Cell{shown.character, style, false};
        if (shown.width == 2) {
            CellAt(row, column + 1) = Cell{L' ', style, true};
        }
    }
    return column + shown.width;
}

int ScreenGrid::Put(int row, int column, std::wstring_view text, unsigned style,
                    const CellRect& clip) {
    for (wchar_t character : text) {
        column = PutCharacter(row, column, character, style, clip);
    }
    return column;
}

void ScreenGrid::Fill(const CellRect& rect, wchar_t character, unsigned style) {
    const CellRect area = rect.Intersect(Bounds());
    for (int row = area.top; row < area.bottom; ++row) {
        for (int column = area.left; column < area.right; ++column) {
            PutCharacter(row, column, character, style, area);
        }
    }
}

void ScreenGrid::AddStyle(const CellRect& rect, unsigned style) {
    const CellRect area = rect.Intersect(Bounds());
    for (int row = area.top; row < area.bottom; ++row) {
        for (int column = area.left; column < area.right; ++column) {
            CellAt(row, column).style |= style;
        }
    }
}

void ScreenGrid::Frame(const CellRect& rect, const FrameGlyphs& glyphs, unsigned style,
                       const CellRect& clip) {
    if (rect.Width() < 2 || rect.Height() < 2) {
        return;
    }
    const int last = rect.right - 1;
    const int bottom = rect.bottom - 1;
    for (int column = rect.left + 1; column < last; ++column) {
        PutCharacter(rect.top, column, glyphs.horizontal, style, clip);
        PutCharacter(bottom, column, glyphs.horizontal, style, clip);
    }
    for (int row = rect.top + 1; row < bottom; ++row) {
        PutCharacter(row, rect.left, glyphs.vertical, style, clip);
        PutCharacter(row, last, glyphs.vertical, style, clip);
    }
    PutCharacter(rect.top, rect.left, glyphs.topLeft, style, clip);
    PutCharacter(rect.top, last, glyphs.topRight, style, clip);
    PutCharacter(bottom, rect.left, glyphs.bottomLeft, style, clip);
    PutCharacter(bottom, last, glyphs.bottomRight, style, clip);
}

int ScreenGrid::PutLabel(int row, int column, int right, const Label& label, unsigned style,
                         const CellRect& clip) {
    if (right <= column) {
        return column;
    }
    const bool fits = column + TextWidth(label.text) <= right;
    const int end = fits ? right : right - 1; // room for the ellipsis
    int next = column;
    for (std::size_t i = 0; i < label.text.size(); ++i) {
        const wchar_t character = label.text[i];
        if (next + CharacterWidth(character) > end) {
            break;
        }
        const bool mnemonic = static_cast<int>(i) == label.mnemonic;
        next = PutCharacter(row, next, character, style | (mnemonic ? STYLE_UNDERLINE : 0u), clip);
    }
    if (!fits) {
        next = PutCharacter(row, next, Ellipsis(), style, clip);
    }
    return next;
}

std::wstring ScreenGrid::RowText(int row) const {
    std::wstring text;
    for (int column = 0; column < columns_; ++column) {
        const Cell& cell = At(row, column);
        if (!cell.trailing) {
            text.push_back(cell.character);
        }
    }
    return text;
}
