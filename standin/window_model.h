// The toolkit-neutral window model behind our Win32 stand-in: dialogs built from
// their templates, modal loops, focus, check states and the dialog keyboard. The
// Qt, terminal and scripted front ends only draw it and feed it the user's input,
// so all three behave alike.
#pragma once

#include "standin/resource_script.h"
#include "standin/win32_subset.h"

#include <memory>
#include <string>
#include <vector>

enum class ControlKind { PushButton, CheckBox, RadioButton, GroupBox, Other };

// A dialog (no parent) or one of its controls. Captions are UTF-8.
struct WindowRecord {
    WindowRecord* parent = nullptr; // the dialog, for a control
    WindowRecord* owner = nullptr;  // the owning dialog, for a dialog
    int id = 0;
    DWORD style = 0;
    std::string caption;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0; // dialog units
    ControlKind kind = ControlKind::Other;
    int check = BST_UNCHECKED;
    bool enabled = true;
    bool pressed = false; // Space held down on a button

    // Dialogs only
    const DialogTemplate* source = nullptr;
    DLGPROC procedure = nullptr;
    std::vector<std::unique_ptr<WindowRecord>> controls; // template order
    WindowRecord* focus = nullptr;                       // the control with the focus
    bool ended = false;
    INT_PTR result = 0;
    void* view = nullptr; // whatever the front end draws this dialog with

    bool IsDialog() const {
        return parent == nullptr;
    }
    // Push buttons, check boxes and radio buttons take the focus; group boxes do not.
    bool CanFocus() const;
    // The mnemonic letter after '&' in the caption, upper-cased, or 0.
    char Mnemonic() const;
    // The caption as drawn: "&&" as "&", the mnemonic's '&' removed.
    std::string VisibleCaption() const;
};

// What a front end does for the model. The model calls these; the front end calls
// back into the model (the input functions below) when the user acts.
class FrontEnd {
  public:
    virtual ~FrontEnd() = default;
    // A dialog was built and has had WM_INITDIALOG: create and show its view.
    virtual void DialogOpened(HWND dialog) = 0;
    // A dialog's modal loop has ended: remove its view.
    virtual void DialogClosed(HWND dialog) = 0;
    // Check states, focus or enabled state of this dialog changed: redraw it.
    virtual void DialogChanged(HWND dialog) = 0;
    // Block until the user did something (and it was passed to the model) or a
    // message was posted. Called by every modal loop while it waits.
    virtual void WaitForInput() = 0;
    // A modal message box; returns when the user dismisses it. Texts are UTF-8; type
    // holds MessageBoxA's flags as the program gave them (KIVO6 asks for the warning
    // icon and one OK button, MB_ICONWARNING | MB_OK).
    virtual void ShowMessageBox(HWND owner, const std::string& caption, const std::string& text,
                                UINT type) = 0;
};

void SetFrontEnd(FrontEnd* frontEnd);

// The module a program is started with: every dialog template of the program's
// resource script.
struct ResourceModule {
    std::vector<DialogTemplate> dialogs;
};
// Our program's own templates, read from the resource script built into it.
// Reports an unreadable script on standard error and returns nullptr.
HINSTANCE ProgramModule();

// User input, as the front ends report it. Each acts like its Win32 counterpart and
// ignores dialogs that are disabled (an owner while a modal window is up).
void ClickControl(HWND control);                        // a mouse click: focus, toggle, WM_COMMAND
void DoubleClickControl(HWND control);                  // a second click in quick succession
void PressKey(HWND dialog, int virtualKey, bool shift); // Tab, arrows, Enter, Escape, Space
void PressMnemonic(HWND dialog, char32_t character);    // a letter typed, with or without Alt
void CloseDialog(HWND dialog);                          // the close box or the system menu's Close

// One posted message or, with none left, the next thread timer once it is due; false
// when there is neither. Every modal loop runs on it; a front end whose message box
// has a loop of its own calls it there, as user32's box loop goes on dispatching.
bool DispatchPending();

// The dialog whose modal loop is innermost, or nullptr; the one taking input.
HWND ActiveDialog();
// The push button Enter would press, drawn as default: the focused push button if
// the keyboard brought the focus there, else the dialog's first BS_DEFPUSHBUTTON.
HWND DefaultButton(HWND dialog);
// Text written by OutputDebugStringA, kept for inspection instead of shown.
const std::string& DebugOutput();

// Text in code page 932 as UTF-8 (invalid bytes become U+FFFD).
std::string TextFromCodePage932(const char* text);
