// Runs the program's real entry routine and dialog procedures as a user's session:
// scripted steps are played one per timer tick from whichever modal loop is up, so
// the same session runs against user32 (under Wine) and against our stand-in. The
// dialog behaviour tests host their modal loops in it too, without a session.
#pragma once

#include "support/dialog_steps.h"

#include <string>
#include <vector>

// A message box as the program asked for it. Texts are UTF-8.
struct ShownBox {
    std::string ownerCaption; // empty when the box has no owner
    std::string caption;
    std::string text;
    UINT type; // MessageBoxA's flags
};

// The module holding the program's dialog templates: on Windows the test program's
// own resources, elsewhere the stand-in's reading of the resource script.
HINSTANCE DialogTestModule();

class SessionHost {
  public:
    SessionHost();
    ~SessionHost();
    SessionHost(const SessionHost&) = delete;
    SessionHost& operator=(const SessionHost&) = delete;

    // Runs WinMain in the current folder until it returns; its status. Each step is
    // given the program's innermost dialog (a message box's owner while one is up).
    // Running out of steps while the program still waits fails the test and ends it.
    int Run(std::vector<DialogStep> steps);

    // Whether one of the program's message boxes is up, and its OK button pressed.
    bool BoxUp() const;
    void PressBoxOk();

    std::vector<ShownBox> boxes;
    // The host whose session is running, for the platform's message box recorder.
    static inline SessionHost* running = nullptr;

  private:
    // The platform's part: the innermost dialog, and ending whatever is up.
    HWND InnermostDialog() const;
    void EndWhatIsUp();
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);

    std::vector<DialogStep> steps_;
    std::size_t next_ = 0;
};
