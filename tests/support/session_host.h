// Runs the program's real entry routine and dialog procedures as a user's session:
// scripted steps are played one per timer tick from whichever modal loop is up, so
// the same session runs against user32 (under Wine) and against our stand-in.
#pragma once

#include "platform/platform.h"

#include <functional>
#include <string>
#include <vector>

// A message box as the program asked for it. Texts are UTF-8.
struct ShownBox {
    std::string ownerCaption; // empty when the box has no owner
    std::string caption;
    std::string text;
    UINT type; // MessageBoxA's flags
};

// One step of a session, given the program's innermost dialog (a message box's
// owner while one is up).
using SessionStep = std::function<void(HWND dialog)>;

class SessionHost {
  public:
    SessionHost();
    ~SessionHost();
    SessionHost(const SessionHost&) = delete;
    SessionHost& operator=(const SessionHost&) = delete;

    // Runs WinMain in the current folder until it returns; its status. Running out of
    // steps while the program still waits fails the test and ends what is up.
    int Run(std::vector<SessionStep> steps);

    // Whether one of the program's message boxes is up, and its OK button pressed.
    bool BoxUp() const;
    void PressBoxOk();

    std::vector<ShownBox> boxes;

  private:
    // The platform's part: the innermost dialog, and ending whatever is up.
    HWND InnermostDialog() const;
    void EndWhatIsUp();
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);

    std::vector<SessionStep> steps_;
    std::size_t next_ = 0;
};

// The host whose session is running, for the platform's message box recorder.
SessionHost* RunningSession();
