// The scripted front end: plays the queued actions whenever a modal loop waits, and
// records message boxes. Running out of script while a window waits is a test
// failure, and ends that window so the test cannot hang.
#include "support/scripted_front_end.h"

#include <gtest/gtest.h>

ScriptedFrontEnd::ScriptedFrontEnd() {
    SetFrontEnd(this);
}

ScriptedFrontEnd::~ScriptedFrontEnd() {
    SetFrontEnd(nullptr);
    EXPECT_TRUE(steps_.empty()) << steps_.size() << " scripted actions were never taken";
}

ScriptedFrontEnd& ScriptedFrontEnd::Click(int controlId) {
    steps_.push_back({Step::Kind::Click, controlId, false, {}});
    return *this;
}

ScriptedFrontEnd& ScriptedFrontEnd::Key(int virtualKey, bool shift) {
    steps_.push_back({Step::Kind::Key, virtualKey, shift, {}});
    return *this;
}

ScriptedFrontEnd& ScriptedFrontEnd::Mnemonic(char letter) {
    steps_.push_back({Step::Kind::Mnemonic, letter, false, {}});
    return *this;
}

ScriptedFrontEnd& ScriptedFrontEnd::CloseBox() {
    steps_.push_back({Step::Kind::CloseBox, 0, false, {}});
    return *this;
}

ScriptedFrontEnd& ScriptedFrontEnd::Dismiss() {
    steps_.push_back({Step::Kind::Dismiss, 0, false, {}});
    return *this;
}

ScriptedFrontEnd& ScriptedFrontEnd::Inspect(std::function<void(HWND)> check) {
    steps_.push_back({Step::Kind::Inspect, 0, false, std::move(check)});
    return *this;
}

void ScriptedFrontEnd::DialogOpened(HWND dialog) {
    dialog->view = &viewTag_;
    openedDialogs.push_back(dialog->caption);
}

void ScriptedFrontEnd::DialogClosed(HWND) {}

void ScriptedFrontEnd::DialogChanged(HWND) {}

bool ScriptedFrontEnd::PlayNext(bool boxUp) {
    if (steps_.empty()) {
        return false;
    }
    Step step = std::move(steps_.front());
    steps_.pop_front();
    // Input goes to the innermost dialog, which the model ignores while a box is up.
    HWND dialog = ActiveDialog();
    switch (step.kind) {
    case Step::Kind::Click:
        ClickControl(dialog != nullptr ? GetDlgItem(dialog, step.value) : nullptr);
        break;
    case Step::Kind::Key:
        PressKey(dialog, step.value, step.shift);
        break;
    case Step::Kind::Mnemonic:
        PressMnemonic(dialog, static_cast<char32_t>(step.value));
        break;
    case Step::Kind::CloseBox:
        CloseDialog(dialog);
        break;
    case Step::Kind::Dismiss:
        EXPECT_TRUE(boxUp) << "the script dismisses a message box, but none is up";
        break;
    case Step::Kind::Inspect:
        step.check(dialog);
        break;
    }
    return step.kind != Step::Kind::Dismiss;
}

void ScriptedFrontEnd::WaitForInput() {
    if (!PlayNext(false) && steps_.empty()) {
        HWND dialog = ActiveDialog();
        ADD_FAILURE() << "the script ran out while \"" << (dialog ? dialog->caption : "")
                      << "\" waits";
        EndDialog(dialog, -1);
    }
}

void ScriptedFrontEnd::ShowMessageBox(HWND owner, const std::string& caption,
                                      const std::string& text, UINT type) {
    boxes.push_back({owner != nullptr ? owner->caption : "", caption, text, type});
    for (;;) {
        if (steps_.empty()) {
            ADD_FAILURE() << "the script ran out while a message box is up: " << text.substr(0, 40);
            return;
        }
        const bool dismisses = steps_.front().kind == Step::Kind::Dismiss;
        PlayNext(true);
        if (dismisses) {
            return;
        }
    }
}
