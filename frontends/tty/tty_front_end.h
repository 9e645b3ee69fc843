// The terminal front end of KIVO6 (kivo6-tty): draws the window model's dialogs and
// message boxes with curses and turns keys and mouse clicks into the model's input
// calls. main() starts it, installs it with SetFrontEnd and runs WinMain.
#pragma once

#include "frontends/tty/dialog_view.h"
#include "frontends/tty/message_box_view.h"
#include "standin/window_model.h"

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

struct screen; // curses' SCREEN

class TtyFrontEnd final : public FrontEnd {
  public:
    TtyFrontEnd() = default;
    ~TtyFrontEnd() override;
    TtyFrontEnd(const TtyFrontEnd&) = delete;
    TtyFrontEnd& operator=(const TtyFrontEnd&) = delete;

    // Takes over the terminal: curses, keypad, a short Escape delay and mouse
    // reports. False, with the reason on standard error, when it cannot. The streams
    // are the terminal's; tests pass others to type into the front end.
    bool Start(std::FILE* input = stdin, std::FILE* output = stdout);
    // Gives the terminal back as it was.
    void Stop();

    // Shown each screen as composed, before curses sends it: lets tests see what
    // the terminal would.
    std::function<void(const ScreenGrid&)> composed;

    void DialogOpened(HWND dialog) override;
    void DialogClosed(HWND dialog) override;
    void DialogChanged(HWND dialog) override;
    void WaitForInput() override;
    void ShowMessageBox(HWND owner, const std::string& caption, const std::string& text,
                        UINT type) override;

    // One thing the user did, as read from the terminal.
    struct Input {
        enum class Kind { None, Key, Character, Mouse, Resize, HangUp };
        Kind kind = Kind::None;
        int key = 0;               // a curses KEY_ code, for Kind::Key
        wchar_t character = 0;     // for Kind::Character; 27 is Escape
        bool alt = false;          // Escape came just before the character
        int row = 0, column = 0;   // for Kind::Mouse
        unsigned long buttons = 0; // curses' mouse event bits, for Kind::Mouse
    };

  private:
    // What a click reached: a control, a dialog's close box, or nothing.
    struct Target {
        HWND control = nullptr;
        HWND closeBoxOf = nullptr;
        bool operator==(const Target&) const = default;
    };
    struct OpenBox {
        std::wstring caption;
        std::wstring text;
        int firstLine = 0;
        int firstColumn = 0;
        MessageBoxView view;
        bool pressedOk = false;
        bool done = false;
    };

    Input ReadInput();
    void Redraw();
    void DispatchToDialog(const Input& input);
    void ClickDialog(const Input& input);
    Target TargetAt(int row, int column) const;
    void HandleBoxInput(OpenBox& box, const Input& input);

    screen* screen_ = nullptr;
    std::vector<HWND> dialogs_;     // open dialogs, owners first
    std::vector<DialogView> views_; // as last drawn, for hit tests
    bool tooSmall_ = false;         // the dialogs do not fit: a note stands instead
    std::vector<OpenBox*> boxes_;   // message boxes up, innermost last
    Target pressed_;                // where button 1 went down
    bool buttonDown_ = false;
    Target lastClick_;
    std::chrono::steady_clock::time_point lastClickTime_;
};
