// The main dialog "KIVO6": each button runs a fixed sequence of the generators or
// reports and shows the text in a message box; the check box and the radio buttons
// set the Type 1 options, read again on every command.
#include "core/program.h"
#include "resources/resource.h"
#include "ui/dialogs.h"

#include <algorithm>
#include <iterator>

namespace {

struct ParityRadio {
    int controlId;
    std::int32_t mode;
};
constexpr ParityRadio PARITY_RADIOS[] = {
    {IDC_MODE_NORMAL, PARITY_NORMAL},
    {IDC_MODE_EVEN, PARITY_EVEN_ONLY},
    {IDC_MODE_ODD, PARITY_ODD_ONLY},
};

void ReadParityRadios(HWND dialog) {
    for (const ParityRadio& radio : PARITY_RADIOS) {
        if (SendMessageA(GetDlgItem(dialog, radio.controlId), BM_GETCHECK, 0, 0) == BST_CHECKED) {
            ParityMode = radio.mode;
        }
    }
}

void ResetParityRadios(HWND dialog) {
    SendMessageA(GetDlgItem(dialog, IDC_MODE_NORMAL), BM_SETCHECK, BST_CHECKED, 0);
    ReadParityRadios(dialog);
    InvalidateRect(dialog, nullptr, TRUE);
    ParityMode = PARITY_NORMAL;
}

// Every answer, result or report, is shown the same way: owned by the main dialog,
// which stays disabled until the user dismisses the box.
void ShowText(HWND dialog, const char* text) {
    MessageBoxA(dialog, text, "Dialog", MB_ICONWARNING);
}

void OnCommand(HWND dialog, WPARAM wParam) {
    const int controlId = LOWORD(wParam);
    const int code = HIWORD(wParam);

    if (controlId == IDC_EXCLUDE_PREVIOUS) {
        excludePrevious = static_cast<std::int32_t>(
            SendMessageA(GetDlgItem(dialog, IDC_EXCLUDE_PREVIOUS), BM_GETCHECK, 0, 0));
    }
    // A click on a radio button has already moved the check, so reading them on
    // every command keeps ParityMode equal to what the user sees.
    ReadParityRadios(dialog);

    switch (controlId) {
    case IDC_TYPE1:
        // This button also reports focus changes; only a click asks for numbers.
        if (code == BN_CLICKED) {
            ShowText(dialog, RequestType1());
        }
        break;
    case IDC_PROBABILITY:
        if (code == BN_CLICKED) {
            ShowText(dialog, RequestShareTable());
        }
        break;
    case IDC_HISTORY:
        if (code == BN_CLICKED) {
            ShowText(dialog, RequestRecentDraws());
        }
        break;
    case IDC_TYPE2:
        if (code == BN_CLICKED) {
            ShowText(dialog, RequestType2());
        }
        break;
    case IDC_SETTINGS:
        DialogBoxParamA(appInstance, MAKEINTRESOURCEA(IDD_SETTINGS), dialog, SettingsDialogProc, 0);
        break;
    default:
        // The exit button, and Escape, the close box or the system menu's Close
        // (IDCANCEL): a window that can be closed only one way would trap the user.
        if (wParam == MAKEWPARAM(IDOK, BN_CLICKED) || wParam == MAKEWPARAM(IDCANCEL, BN_CLICKED)) {
            EndDialog(dialog, 1);
        }
        break;
    }
}

} // namespace

INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        std::fill(std::begin(DecadeFlags), std::end(DecadeFlags), 0);
        std::fill(std::begin(PastDrawFlags), std::end(PastDrawFlags), 0);
        ResetParityRadios(dialog);
        OutputDebugStringA("Init Dialog\n");
        return TRUE; // focus goes to the first tab stop, the exit button
    case WM_COMMAND:
        OnCommand(dialog, wParam);
        return FALSE;
    default:
        return FALSE;
    }
}
