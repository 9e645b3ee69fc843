// The user's input to a dialog as the dialog tests give it, posted as a user's input
// arrives, and what they read back. Shared by the dialog behaviour tests and the
// sessions, which run on user32 and on our stand-in alike.
#pragma once

#include "ui/win32.h"

#include <gtest/gtest.h>

#include <functional>

// One step, given the dialog taking input.
using DialogStep = std::function<void(HWND dialog)>;

inline DialogStep Click(int id) {
    return [id](HWND dialog) {
        HWND control = GetDlgItem(dialog, id);
        ASSERT_NE(control, nullptr) << "no control " << id << " in the dialog up now";
        PostMessageA(control, BM_CLICK, 0, 0);
    };
}

// A key pressed and released on the control with the focus.
inline DialogStep Key(int virtualKey) {
    return [virtualKey](HWND) {
        HWND focus = GetFocus();
        PostMessageA(focus, WM_KEYDOWN, static_cast<WPARAM>(virtualKey), 1);
        PostMessageA(focus, WM_KEYUP, static_cast<WPARAM>(virtualKey),
                     static_cast<LPARAM>(0xC0000001));
    };
}

inline DialogStep ExpectFocus(int id) {
    return [id](HWND dialog) {
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, id)) << "focus on " << GetDlgCtrlID(GetFocus());
    };
}

inline bool Checked(HWND dialog, int id) {
    return SendMessageA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}
