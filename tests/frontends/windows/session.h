// Drives a running kivo6.exe from outside, the way a user does: starts it in a fresh
// folder, finds its dialogs and message boxes, clicks and types, and reads texts back
// through the wide-character API. Used by the end-to-end tests; Win32 only.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

// The program under test, as given on the command line.
const std::wstring& ProgramPath();
void SetProgramPath(const char* path);

// What a message box showed.
struct BoxSeen {
    std::wstring caption;
    std::wstring text;
    HWND owner = nullptr;
    int buttons = 0;
    bool icon = false;
};

class Session {
  public:
    // Makes an empty folder for the run; the program is not started yet.
    explicit Session(std::string_view name);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Writes data.txt into the folder, byte for byte.
    void WriteData(std::string_view bytes);
    // The folder's data.txt as a path the logic core can open.
    std::string DataPath() const;

    void Start();
    // The visible top-level window of the program with this caption, or null after
    // the timeout.
    HWND WaitForWindow(std::wstring_view caption, DWORD timeoutMs = 10000) const;
    // Whether such a window appears within the time.
    bool WindowAppears(std::wstring_view caption, DWORD timeoutMs) const;
    // Reads the message box now up, then presses its OK button and waits until it is gone.
    BoxSeen ReadAndDismissBox(DWORD timeoutMs = 10000);

    // The program's exit status, waiting for it to end; STILL_ACTIVE if it did not.
    DWORD WaitForExit(DWORD timeoutMs = 10000);

    // The main dialog, found when first asked for.
    HWND MainDialog();

  private:
    std::wstring folder_;
    PROCESS_INFORMATION process_{};
    HWND mainDialog_ = nullptr;
};

// User actions on a window of the program. Posted, never sent, so the driver does
// not wait inside the program's modal loops.
void Click(HWND control);
void ClickItem(HWND dialog, int controlId);
// A key pressed and released while the program's keyboard focus is where it is.
void PressKey(HWND anyWindowOfProgram, UINT virtualKey);
// Clicking the close box of a window.
void CloseBox(HWND window);

// The control that has the keyboard focus in the thread that owns the window.
HWND FocusOf(HWND window);
bool IsChecked(HWND dialog, int controlId);

// Polls until the condition holds or the time is up; whether it held. The program
// answers posted input in its own time, so state is read only once it has settled.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);

// Code page 932 text as the wide characters Windows shows for it.
std::wstring FromCodePage932(const char* text);
