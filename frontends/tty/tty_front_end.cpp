// The terminal front end; see tty_front_end.h. Every change redraws the whole screen
// from the model into a ScreenGrid and copies that to curses, which sends the
// terminal only what changed.
#include "frontends/tty/tty_front_end.h"

#include <curses.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cwctype>

namespace {

constexpr int ESCAPE = 27;
constexpr int ESCAPE_DELAY_MS = 25;
constexpr int WHEEL_LINES = 3;
// How far Left, Right and a sideways wheel notch move a wide message box's text.
constexpr int SIDEWAYS_COLUMNS = 8;
// Windows' own double-click time.
constexpr std::chrono::milliseconds DOUBLE_CLICK_TIME{500};

attr_t Attributes(unsigned style) {
    attr_t attributes = A_NORMAL;
    if ((style & STYLE_REVERSE) != 0) {
        attributes |= A_REVERSE;
    }
    if ((style & STYLE_UNDERLINE) != 0) {
        attributes |= A_UNDERLINE;
    }
    if ((style & STYLE_BOLD) != 0) {
        attributes |= A_BOLD;
    }
    if ((style & STYLE_DIM) != 0) {
        attributes |= A_DIM;
    }
    return attributes;
}

void CopyToScreen(const ScreenGrid& grid) {
    for (int row = 0; row < grid.Rows(); ++row) {
        for (int column = 0; column < grid.Columns(); ++column) {
            const Cell& cell = grid.At(row, column);
            if (cell.trailing) {
                continue;
            }
            const wchar_t text[2] = {cell.character, L'\0'};
            cchar_t shown;
            setcchar(&shown, text, Attributes(cell.style), 0, nullptr);
            // The bottom right cell is written but reported as an error, since the
            // cursor cannot move past it; nothing to do about that.
            mvwadd_wch(stdscr, row, column, &shown);
        }
    }
    wnoutrefresh(stdscr);
    doupdate();
}

bool IsClick(unsigned long buttons) {
    return (buttons & (BUTTON1_CLICKED | BUTTON1_DOUBLE_CLICKED | BUTTON1_TRIPLE_CLICKED)) != 0;
}

} // namespace

TtyFrontEnd::~TtyFrontEnd() {
    Stop();
}

bool TtyFrontEnd::Start(std::FILE* input, std::FILE* output) {
    screen_ = newterm(nullptr, output, input);
    if (screen_ == nullptr) {
        std::fputs("kivo6-tty: this terminal cannot be used (is TERM set?)\n", stderr);
        return false;
    }
    set_term(screen_);
    cbreak();
    noecho();
    nonl();
    keypad(stdscr, TRUE);
    set_escdelay(ESCAPE_DELAY_MS);
    curs_set(0);
    // Press and release separately, so a click is ours to recognise: curses would
    // otherwise hold every press back for its click interval.
    mouseinterval(0);
    mousemask(BUTTON1_PRESSED | BUTTON1_RELEASED | BUTTON1_CLICKED | BUTTON4_PRESSED |
                  BUTTON5_PRESSED,
              nullptr);
    Redraw();
    return true;
}

void TtyFrontEnd::Stop() {
    if (screen_ == nullptr) {
        return;
    }
    mousemask(0, nullptr);
    endwin();
    delscreen(screen_);
    screen_ = nullptr;
}

void TtyFrontEnd::DialogOpened(HWND dialog) {
    // The model tells a dialog's changes only to a front end that has a view of it.
    dialog->view = this;
    dialogs_.push_back(dialog);
    Redraw();
}

void TtyFrontEnd::DialogClosed(HWND dialog) {
    dialogs_.erase(std::remove(dialogs_.begin(), dialogs_.end(), dialog), dialogs_.end());
    views_.clear();
    // A press or a first click on the closed dialog must not pair with a later one.
    buttonDown_ = false;
    pressed_ = {};
    lastClick_ = {};
    Redraw();
}

void TtyFrontEnd::DialogChanged(HWND) {
    Redraw();
}

void TtyFrontEnd::WaitForInput() {
    const Input input = ReadInput();
    if (input.kind == Input::Kind::Resize) {
        Redraw();
        return;
    }
    if (input.kind == Input::Kind::HangUp) {
        // Nobody is left to answer: close each dialog as its close box would.
        CloseDialog(ActiveDialog());
        return;
    }
    // Keys for a dialog nobody can see would act blindly.
    if (!tooSmall_) {
        DispatchToDialog(input);
    }
    Redraw();
}

// Every box KIVO6 shows has the warning icon and one OK button; a terminal draws
// the OK button, and the flags name nothing else to draw.
void TtyFrontEnd::ShowMessageBox(HWND, const std::string& caption, const std::string& text, UINT) {
    if (screen_ == nullptr) {
        return;
    }
    OpenBox box;
    box.caption = WideFromUtf8(caption);
    box.text = WideFromUtf8(text);
    boxes_.push_back(&box);
    Redraw();
    while (!box.done) {
        HandleBoxInput(box, ReadInput());
        Redraw();
    }
    boxes_.pop_back();
    // Clicks on the box came between: the next click on a dialog starts a new pair.
    buttonDown_ = false;
    lastClick_ = {};
    Redraw();
}

TtyFrontEnd::Input TtyFrontEnd::ReadInput() {
    Input input;
    if (screen_ == nullptr) {
        return input;
    }
    wint_t value = 0;
    errno = 0;
    const int status = wget_wch(stdscr, &value);
    if (status == ERR && errno != EINTR) {
        // A blocking read fails only when the terminal has gone away.
        input.kind = Input::Kind::HangUp;
        return input;
    }
    if (status == KEY_CODE_YES) {
        if (value == KEY_RESIZE) {
            input.kind = Input::Kind::Resize;
        } else if (value == KEY_MOUSE) {
            MEVENT event{};
            if (getmouse(&event) == OK) {
                input.kind = Input::Kind::Mouse;
                input.row = event.y;
                input.column = event.x;
                input.buttons = event.bstate;
            }
        } else {
            input.kind = Input::Kind::Key;
            input.key = static_cast<int>(value);
        }
        return input;
    }
    if (status != OK) {
        return input;
    }
    input.kind = Input::Kind::Character;
    input.character = static_cast<wchar_t>(value);
    if (value == ESCAPE) {
        // Alt with a key reaches us as Escape and the key at once; Escape alone has
        // waited out the escape delay with nothing behind it.
        wint_t next = 0;
        nodelay(stdscr, TRUE);
        const int nextStatus = wget_wch(stdscr, &next);
        nodelay(stdscr, FALSE);
        if (nextStatus == OK && next != ESCAPE && std::iswprint(next)) {
            input.character = static_cast<wchar_t>(next);
            input.alt = true;
        } else if (nextStatus == OK) {
            unget_wch(static_cast<wchar_t>(next));
        } else if (nextStatus == KEY_CODE_YES) {
            ungetch(static_cast<int>(next));
        }
    }
    return input;
}

void TtyFrontEnd::Redraw() {
    if (screen_ == nullptr) {
        return;
    }
    int rows = 0;
    int columns = 0;
    getmaxyx(stdscr, rows, columns);
    ScreenGrid grid(rows, columns);
    const HWND active = boxes_.empty() ? ActiveDialog() : nullptr;
    views_.clear();
    int needRows = 0;
    int needColumns = 0;
    for (HWND dialog : dialogs_) {
        views_.push_back(LayOutDialog(dialog, rows, columns));
        needRows = std::max(needRows, views_.back().frame.Height());
        needColumns = std::max(needColumns, views_.back().frame.Width());
    }
    // A clipped dialog hides controls without a word; say what size would do, and
    // draw the dialogs again once the terminal is resized to it.
    tooSmall_ = needRows > rows || needColumns > columns;
    if (tooSmall_) {
        views_.clear();
        DrawTooSmallNote(grid, needRows, needColumns);
    }
    for (std::size_t i = 0; i < views_.size(); ++i) {
        DrawDialog(grid, views_[i], dialogs_[i] == active && dialogs_[i]->enabled);
    }
    for (OpenBox* box : boxes_) {
        box->view = LayOutMessageBox(box->caption, box->text, rows, columns, box->firstLine,
                                     box->firstColumn);
        box->firstLine = box->view.firstLine;
        box->firstColumn = box->view.firstColumn;
        DrawMessageBox(grid, box->view, box->caption);
    }
    if (composed) {
        composed(grid);
    }
    CopyToScreen(grid);
}

void TtyFrontEnd::DispatchToDialog(const Input& input) {
    const HWND dialog = ActiveDialog();
    if (dialog == nullptr) {
        return;
    }
    if (input.kind == Input::Kind::Mouse) {
        ClickDialog(input);
        return;
    }
    if (input.kind == Input::Kind::Key) {
        switch (input.key) {
        case KEY_BTAB:
            PressKey(dialog, VK_TAB, true);
            break;
        case KEY_LEFT:
            PressKey(dialog, VK_LEFT, false);
            break;
        case KEY_RIGHT:
            PressKey(dialog, VK_RIGHT, false);
            break;
        case KEY_UP:
            PressKey(dialog, VK_UP, false);
            break;
        case KEY_DOWN:
            PressKey(dialog, VK_DOWN, false);
            break;
        case KEY_ENTER:
            PressKey(dialog, VK_RETURN, false);
            break;
        default:
            break;
        }
        return;
    }
    if (input.kind != Input::Kind::Character) {
        return;
    }
    switch (input.character) {
    case L'\t':
        PressKey(dialog, VK_TAB, false);
        break;
    case L' ':
        PressKey(dialog, VK_SPACE, false);
        break;
    case L'\r':
    case L'\n':
        PressKey(dialog, VK_RETURN, false);
        break;
    case static_cast<wchar_t>(ESCAPE):
        PressKey(dialog, VK_ESCAPE, false);
        break;
    default:
        if (std::iswprint(static_cast<wint_t>(input.character))) {
            PressMnemonic(dialog, static_cast<char32_t>(input.character));
        }
        break;
    }
}

TtyFrontEnd::Target TtyFrontEnd::TargetAt(int row, int column) const {
    const HWND active = ActiveDialog();
    for (const DialogView& view : views_) {
        if (view.dialog != active) {
            continue;
        }
        if (view.closeBox.Contains(row, column)) {
            return {nullptr, view.dialog};
        }
        return {ControlAt(view, row, column), nullptr};
    }
    return {};
}

void TtyFrontEnd::ClickDialog(const Input& input) {
    const Target target = TargetAt(input.row, input.column);
    bool clicked = false;
    if ((input.buttons & BUTTON1_PRESSED) != 0) {
        pressed_ = target;
        buttonDown_ = true;
    }
    if ((input.buttons & BUTTON1_RELEASED) != 0) {
        // Like a button on Windows: a click is a press and a release on the same thing.
        clicked = buttonDown_ && pressed_ == target;
        buttonDown_ = false;
    }
    if (IsClick(input.buttons)) {
        clicked = true;
    }
    if (!clicked || target == Target{}) {
        return;
    }
    if (target.closeBoxOf != nullptr) {
        lastClick_ = {};
        CloseDialog(target.closeBoxOf);
        return;
    }
    const auto now = std::chrono::steady_clock::now();
    const bool second = lastClick_ == target && now - lastClickTime_ <= DOUBLE_CLICK_TIME;
    // A third click in quick succession starts a new pair, as on Windows.
    lastClick_ = second ? Target{} : target;
    lastClickTime_ = now;
    if (second) {
        DoubleClickControl(target.control);
    } else {
        ClickControl(target.control);
    }
}

void TtyFrontEnd::HandleBoxInput(OpenBox& box, const Input& input) {
    const int page = std::max(1, box.view.visibleLines - 1);
    switch (input.kind) {
    case Input::Kind::Character:
        if (input.character == L'\r' || input.character == L'\n' || input.character == L' ' ||
            (input.character == static_cast<wchar_t>(ESCAPE) && !input.alt)) {
            box.done = true;
        }
        break;
    case Input::Kind::Key:
        switch (input.key) {
        case KEY_ENTER:
            box.done = true;
            break;
        case KEY_UP:
            --box.firstLine;
            break;
        case KEY_DOWN:
            ++box.firstLine;
            break;
        case KEY_PPAGE:
            box.firstLine -= page;
            break;
        case KEY_NPAGE:
            box.firstLine += page;
            break;
        case KEY_HOME:
            box.firstLine = 0;
            break;
        case KEY_END:
            box.firstLine = static_cast<int>(box.view.lines.size());
            break;
        case KEY_LEFT:
            box.firstColumn -= SIDEWAYS_COLUMNS;
            break;
        case KEY_RIGHT:
            box.firstColumn += SIDEWAYS_COLUMNS;
            break;
        default:
            break;
        }
        break;
    case Input::Kind::Mouse: {
        const bool onButton = box.view.okButton.Contains(input.row, input.column) ||
                              box.view.closeBox.Contains(input.row, input.column);
        // A box with nothing above or below to show turns its wheel sideways. Curses
        // (ncurses 6.4) cannot say which way a wheel with Shift turned, nor report a
        // sideways wheel, so the plain wheel is the one that works everywhere.
        const bool sideways = !box.view.MoreAbove() && !box.view.MoreBelow();
        int& position = sideways ? box.firstColumn : box.firstLine;
        const int step = sideways ? SIDEWAYS_COLUMNS : WHEEL_LINES;
        if ((input.buttons & BUTTON4_PRESSED) != 0) {
            position -= step;
        }
        if ((input.buttons & BUTTON5_PRESSED) != 0) {
            position += step;
        }
        if ((input.buttons & BUTTON1_PRESSED) != 0) {
            box.pressedOk = onButton;
        }
        if ((input.buttons & BUTTON1_RELEASED) != 0) {
            box.done = box.pressedOk && onButton;
            box.pressedOk = false;
        }
        if (IsClick(input.buttons) && onButton) {
            box.done = true;
        }
        break;
    }
    case Input::Kind::HangUp:
        box.done = true;
        break;
    case Input::Kind::Resize:
    case Input::Kind::None:
        break;
    }
}
