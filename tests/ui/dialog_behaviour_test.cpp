// What the dialogs rely on from the Win32 dialog manager, written as assertions
// that hold on Windows: the same tests run against user32 (under Wine) and against
// our stand-in on Linux. Each test runs a recording procedure over one of the
// program's own templates and feeds it input as posted messages, one step at a time.
#include "support/session_host.h"

#include "resources/resource.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

struct Command {
    int id;
    int code;
    int checkSeen; // the sender's check state when the command arrived, or -1

    bool operator==(const Command&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Command& command) {
    return out << "{" << command.id << ", " << command.code << ", " << command.checkSeen << "}";
}

// The state of the dialog under test; one at a time.
struct Recording {
    std::vector<Command> commands;
    std::vector<DialogStep> steps;
    std::size_t next = 0;
    INT_PTR initAnswer = TRUE;
    std::function<void(HWND)> onInit;
};
Recording* recording = nullptr;

constexpr UINT kStep = WM_APP;
constexpr UINT kSettle = WM_APP + 1;

// Between two steps the message goes round the queue twice, so anything the last
// step's input posted in turn (a key's character) is handled before the next step.
INT_PTR CALLBACK RecordingProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        if (recording->onInit) {
            recording->onInit(dialog);
        }
        PostMessageA(dialog, kSettle, 0, 0);
        return recording->initAnswer;
    case WM_COMMAND: {
        HWND sender = reinterpret_cast<HWND>(lParam);
        const int check =
            sender != nullptr ? static_cast<int>(SendMessageA(sender, BM_GETCHECK, 0, 0)) : -1;
        recording->commands.push_back({LOWORD(wParam), HIWORD(wParam), check});
        return TRUE;
    }
    case kSettle:
        PostMessageA(dialog, kStep, 0, 0);
        return TRUE;
    case kStep:
        if (recording->next < recording->steps.size()) {
            recording->steps[recording->next++](dialog);
            PostMessageA(dialog, kSettle, 0, 0);
        } else {
            EndDialog(dialog, 77);
        }
        return TRUE;
    default:
        return FALSE;
    }
}

class DialogBehaviour : public ::testing::Test {
  protected:
    void SetUp() override {
        recording = &recording_;
    }
    void TearDown() override {
        recording = nullptr;
    }

    INT_PTR Run(int templateId, std::vector<DialogStep> steps) {
        recording_.steps = std::move(steps);
        return DialogBoxParamA(DialogTestModule(), MAKEINTRESOURCEA(templateId), nullptr,
                               RecordingProc, 0);
    }

    static DialogStep Focus(int id) {
        return [id](HWND dialog) { SetFocus(GetDlgItem(dialog, id)); };
    }

    SessionHost host_; // no session: only its modal loop hosting
    Recording recording_;
};

// Without a window manager Wine leaves the focus nowhere; our model leaves it on the
// dialog itself. Either way no control has it.
TEST_F(DialogBehaviour, InitAnswerFalseLeavesNoControlFocused) {
    recording_.initAnswer = FALSE;
    Run(IDD_SETTINGS, {[](HWND) { EXPECT_EQ(GetDlgCtrlID(GetFocus()), 0); }});
}

// BM_SETCHECK sends no command; a click toggles a check box, or checks an automatic
// radio button and clears the rest of its group, before the command is sent.
TEST_F(DialogBehaviour, SetCheckIsSilentAndClickTogglesBeforeTheCommand) {
    Run(IDD_MAIN,
        {[](HWND dialog) {
             SendMessageA(GetDlgItem(dialog, IDC_EXCLUDE_PREVIOUS), BM_SETCHECK, BST_CHECKED, 0);
             SendMessageA(GetDlgItem(dialog, IDC_MODE_NORMAL), BM_SETCHECK, BST_CHECKED, 0);
             EXPECT_TRUE(Checked(dialog, IDC_EXCLUDE_PREVIOUS));
             EXPECT_TRUE(recording->commands.empty());
         },
         Click(IDC_EXCLUDE_PREVIOUS), ExpectFocus(IDC_EXCLUDE_PREVIOUS),
         Click(IDC_EXCLUDE_PREVIOUS), Click(IDC_MODE_EVEN),
         [](HWND dialog) {
             EXPECT_FALSE(Checked(dialog, IDC_MODE_NORMAL));
             EXPECT_TRUE(Checked(dialog, IDC_MODE_EVEN));
             EXPECT_FALSE(Checked(dialog, IDC_MODE_ODD));
         }});
    EXPECT_EQ(recording_.commands,
              (std::vector<Command>{{IDC_EXCLUDE_PREVIOUS, BN_CLICKED, BST_UNCHECKED},
                                    {IDC_EXCLUDE_PREVIOUS, BN_CLICKED, BST_CHECKED},
                                    {IDC_MODE_EVEN, BN_CLICKED, BST_CHECKED}}));
}

// An init answer of TRUE focuses the first tab stop; the checked radio button is the
// one tab stop of its group.
TEST_F(DialogBehaviour, TabWalksTheTabStopsAndNotifyButtonsReportFocus) {
    recording_.onInit = [](HWND dialog) {
        SendMessageA(GetDlgItem(dialog, IDC_MODE_NORMAL), BM_SETCHECK, BST_CHECKED, 0);
    };
    EXPECT_EQ(Run(IDD_MAIN, {ExpectFocus(IDOK), Key(VK_TAB), ExpectFocus(IDC_TYPE1), Key(VK_TAB),
                             ExpectFocus(IDC_PROBABILITY), Key(VK_TAB), Key(VK_TAB),
                             ExpectFocus(IDC_EXCLUDE_PREVIOUS), Key(VK_TAB),
                             ExpectFocus(IDC_MODE_NORMAL), Key(VK_TAB), ExpectFocus(IDC_TYPE2),
                             Key(VK_TAB), Key(VK_TAB), ExpectFocus(IDOK)}),
              77);
    EXPECT_EQ(recording_.commands,
              (std::vector<Command>{{IDC_TYPE1, BN_SETFOCUS, BST_UNCHECKED},
                                    {IDC_TYPE1, BN_KILLFOCUS, BST_UNCHECKED}}));
}

TEST_F(DialogBehaviour, ArrowsMoveWithinTheGroupAndChooseRadioButtons) {
    recording_.onInit = [](HWND dialog) {
        SendMessageA(GetDlgItem(dialog, IDC_MODE_NORMAL), BM_SETCHECK, BST_CHECKED, 0);
    };
    Run(IDD_MAIN,
        {Focus(IDC_TYPE2), Key(VK_UP), ExpectFocus(IDC_MODE_ODD),
         [](HWND dialog) {
             EXPECT_TRUE(Checked(dialog, IDC_MODE_ODD));
             EXPECT_FALSE(Checked(dialog, IDC_MODE_NORMAL));
         },
         Key(VK_DOWN), ExpectFocus(IDC_TYPE2),
         // With one WS_GROUP the group runs round every control, group boxes too.
         Focus(IDC_MODE_NORMAL), Key(VK_UP),
         [](HWND) { EXPECT_EQ(GetDlgCtrlID(GetFocus()) & 0xFFFF, 0xFFFF) << "not a group box"; },
         Key(VK_UP), ExpectFocus(IDC_EXCLUDE_PREVIOUS)});
    EXPECT_EQ(recording_.commands, (std::vector<Command>{{IDC_MODE_ODD, BN_CLICKED, BST_CHECKED}}));
}

// Enter presses a push button the keyboard moved to; one that merely has the focus
// (after a click, say) leaves Enter to the default push button.
TEST_F(DialogBehaviour, EnterEscapeSpaceAndMnemonics) {
    Run(IDD_MAIN, {Focus(IDC_EXCLUDE_PREVIOUS), Key(VK_RETURN), Focus(IDC_PROBABILITY),
                   Key(VK_RETURN), Key(VK_TAB), ExpectFocus(IDC_HISTORY), Key(VK_RETURN),
                   Key(VK_ESCAPE), Focus(IDC_EXCLUDE_PREVIOUS), Key(VK_SPACE), Key('X')});
    EXPECT_EQ(recording_.commands,
              (std::vector<Command>{{IDOK, BN_CLICKED, BST_UNCHECKED},
                                    {IDOK, BN_CLICKED, BST_UNCHECKED},
                                    {IDC_HISTORY, BN_CLICKED, BST_UNCHECKED},
                                    {IDCANCEL, BN_CLICKED, -1},
                                    {IDC_EXCLUDE_PREVIOUS, BN_CLICKED, BST_CHECKED},
                                    {IDOK, BN_CLICKED, BST_UNCHECKED}}));
}

} // namespace
