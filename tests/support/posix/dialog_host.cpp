// On Linux the dialogs are the stand-in's. Its modal loop asks the front end for
// input only when no posted message is left; in these tests that means a test
// forgot to end its dialog, so the loop is ended rather than left to hang.
#include "support/dialog_host.h"

#include "standin/window_model.h"

#include <gtest/gtest.h>

namespace {

class NoUser : public FrontEnd {
  public:
    void DialogOpened(HWND dialog) override {
        dialog->view = this;
    }
    void DialogClosed(HWND) override {}
    void DialogChanged(HWND) override {}
    void WaitForInput() override {
        ADD_FAILURE() << "a dialog waits for input that no test step will give";
        EndDialog(ActiveDialog(), -1);
    }
    void ShowMessageBox(HWND, const std::string&, const std::string& text, UINT) override {
        ADD_FAILURE() << "unexpected message box: " << text;
    }
};

NoUser noUser;

} // namespace

HINSTANCE DialogTestModule() {
    return ProgramModule();
}

DialogHost::DialogHost() {
    SetFrontEnd(&noUser);
}

DialogHost::~DialogHost() {
    SetFrontEnd(nullptr);
}
