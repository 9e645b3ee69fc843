// A front end without a display for the tests: it plays a script of user actions
// (clicks, keys, the close box, dismissing message boxes) into the window model
// and records what the program showed. Used by the whole-session tests.
#pragma once

#include "standin/window_model.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

struct RecordedBox {
    std::string ownerCaption; // empty when the box has no owner
    std::string caption;
    std::string text; // UTF-8
    UINT type;        // MessageBoxA's flags
};

class ScriptedFrontEnd : public FrontEnd {
  public:
    ScriptedFrontEnd();
    ~ScriptedFrontEnd() override;

    // The user's actions, taken in order, each on whichever window is up then.
    ScriptedFrontEnd& Click(int controlId);
    ScriptedFrontEnd& Key(int virtualKey, bool shift = false);
    ScriptedFrontEnd& Mnemonic(char letter);
    ScriptedFrontEnd& CloseBox();
    ScriptedFrontEnd& Dismiss(); // OK on the message box that is up
    // Looks at the state at this point of the script (the active dialog is given).
    ScriptedFrontEnd& Inspect(std::function<void(HWND dialog)> check);

    std::vector<RecordedBox> boxes;
    std::vector<std::string> openedDialogs; // captions, in the order they opened

    void DialogOpened(HWND dialog) override;
    void DialogClosed(HWND dialog) override;
    void DialogChanged(HWND dialog) override;
    void WaitForInput() override;
    void ShowMessageBox(HWND owner, const std::string& caption, const std::string& text,
                        UINT type) override;

  private:
    struct Step {
        enum class Kind { Click, Key, Mnemonic, CloseBox, Dismiss, Inspect } kind;
        int value = 0;
        bool shift = false;
        std::function<void(HWND)> check;
    };
    // Plays the next step; false when the script has run out.
    bool PlayNext(bool boxUp);

    std::deque<Step> steps_;
    int viewTag_ = 0;
};
