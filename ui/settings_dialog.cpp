// The settings dialog "詳細設定": which number groups and which recent draws the
// Type 2 tickets leave out. Clicks go to a pending copy of the flags; only OK
// commits them, so Cancel, Escape and the close box leave the settings as they were.
#include "core/history/state.h"
#include "resources/resource.h"
#include "ui/dialogs.h"

#include <algorithm>
#include <iterator>

namespace {

// The boxes of one row of flags are numbered without gaps from firstId, so the box
// with a given identifier owns the flag at the same distance from the start.
void RecordCheckState(HWND dialog, int controlId, int firstId, std::uint8_t* flags, int flagCount) {
    const int entry = controlId - firstId;
    if (entry < 0 || entry >= flagCount) {
        return;
    }
    const LRESULT state = SendMessageA(GetDlgItem(dialog, controlId), BM_GETCHECK, 0, 0);
    flags[entry] = static_cast<std::uint8_t>(state & 0xFF);
}

void ShowFlags(HWND dialog, int firstId, const std::uint8_t* flags, int flagCount) {
    for (int entry = 0; entry < flagCount; ++entry) {
        SendMessageA(GetDlgItem(dialog, firstId + entry), BM_SETCHECK, flags[entry], 0);
    }
}

void LoadSettingsDialog(HWND dialog) {
    std::copy(std::begin(DecadeFlags), std::end(DecadeFlags), PendingDecadeFlags);
    std::copy(std::begin(PastDrawFlags), std::end(PastDrawFlags), PendingPastDrawFlags);
    ShowFlags(dialog, IDC_DECADE_1, DecadeFlags, DECADE_GROUPS);
    ShowFlags(dialog, IDC_PAST_1, PastDrawFlags, PAST_DRAW_FLAGS);
}

void OnDecadeCheck(HWND dialog, int controlId) {
    RecordCheckState(dialog, controlId, IDC_DECADE_1, PendingDecadeFlags, DECADE_GROUPS);
}

void OnPastDrawCheck(HWND dialog, int controlId) {
    RecordCheckState(dialog, controlId, IDC_PAST_1, PendingPastDrawFlags, PAST_DRAW_FLAGS);
}

} // namespace

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        LoadSettingsDialog(dialog);
        return FALSE;
    case WM_COMMAND: {
        const int controlId = LOWORD(wParam);
        if (controlId == IDOK) {
            std::copy(std::begin(PendingDecadeFlags), std::end(PendingDecadeFlags), DecadeFlags);
            std::copy(std::begin(PendingPastDrawFlags), std::end(PendingPastDrawFlags),
                      PastDrawFlags);
            EndDialog(dialog, 2);
        } else if (controlId == IDCANCEL) {
            EndDialog(dialog, 2);
        } else if (controlId >= IDC_DECADE_1 && controlId <= IDC_DECADE_5) {
            OnDecadeCheck(dialog, controlId);
        } else if (controlId >= IDC_PAST_1 && controlId <= IDC_PAST_10) {
            OnPastDrawCheck(dialog, controlId);
        }
        return FALSE;
    }
    default:
        return FALSE;
    }
}
