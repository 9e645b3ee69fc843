// Drives a running kivo6.exe from outside, the way a user does: starts it in a fresh
// folder, finds its dialogs and message boxes, clicks, and reads texts back through
// the wide-character API. Used by the end-to-end tests; Win32 only.
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
    HWND window = nullptr;
    std::wstring caption;
    std::wstring text;
    HWND owner = nullptr;
    int buttons = 0;
    HWND icon = nullptr; // the control that shows the box's icon
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

    void Start();
    // The visible top-level dialog of the program with this caption, or null after
    // the timeout.
    HWND WaitForWindow(std::wstring_view caption, DWORD timeoutMs = 10000) const;
    // Reads the message box now up, leaving it up.
    BoxSeen ReadBox(DWORD timeoutMs = 10000) const;

    // The program's exit status, waiting for it to end; STILL_ACTIVE if it did not.
    DWORD WaitForExit(DWORD timeoutMs = 10000);

  private:
    std::wstring folder_;
    PROCESS_INFORMATION process_{};
};

// Presses the OK button of a box and waits until the box is gone; whether it went.
bool DismissBox(const BoxSeen& box);

// Which of the system's warning, error and information icons (IDI_WARNING, ...) an
// icon control of the program shows, read off the screen.
LPCWSTR IconShown(HWND control);

// A click on a control of the program's dialog. Posted, never sent, so the driver
// does not wait inside the program's modal loops.
void ClickItem(HWND dialog, int controlId);

// Polls until the condition holds or the time is up; whether it held. The program
// answers posted input in its own time, so state is read only once it has settled.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);
