// The session host over our stand-in: a front end with no display that records the
// program's message boxes and keeps dispatching, as user32's box loop does, until a
// step presses OK.
#include "support/session_host.h"

#include "standin/window_model.h"

#include <gtest/gtest.h>

namespace {

class SessionFrontEnd : public FrontEnd {
  public:
    void DialogOpened(HWND dialog) override {
        dialog->view = this;
    }
    void DialogClosed(HWND) override {}
    void DialogChanged(HWND) override {}
    // Only reached with no session's timer running: a test forgot to end its dialog.
    void WaitForInput() override {
        ADD_FAILURE() << "a dialog waits for input that no step will give";
        EndDialog(ActiveDialog(), -1);
    }
    void ShowMessageBox(HWND owner, const std::string& caption, const std::string& text,
                        UINT type) override {
        if (SessionHost* host = SessionHost::running) {
            host->boxes.push_back({owner != nullptr ? owner->caption : "", caption, text, type});
        }
        boxUp = true;
        while (boxUp) {
            if (!DispatchPending()) {
                ADD_FAILURE() << "a message box waits with no session running: " << text;
                boxUp = false;
            }
        }
    }

    bool boxUp = false;
};

SessionFrontEnd frontEnd;

} // namespace

HINSTANCE DialogTestModule() {
    return ProgramModule();
}

SessionHost::SessionHost() {
    SetFrontEnd(&frontEnd);
}

SessionHost::~SessionHost() {
    SetFrontEnd(nullptr);
}

HWND SessionHost::InnermostDialog() const {
    return ActiveDialog();
}

bool SessionHost::BoxUp() const {
    return frontEnd.boxUp;
}

void SessionHost::PressBoxOk() {
    EXPECT_TRUE(frontEnd.boxUp) << "OK pressed on a message box, but none is up";
    frontEnd.boxUp = false;
}

void SessionHost::EndWhatIsUp() {
    if (frontEnd.boxUp) {
        frontEnd.boxUp = false;
    } else if (HWND dialog = ActiveDialog()) {
        EndDialog(dialog, -1);
    }
}
