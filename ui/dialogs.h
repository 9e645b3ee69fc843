// The user interface of KIVO6: the main dialog and the settings dialog, as dialog
// procedures over the shared state. The entry routine starts the main dialog; the
// same sources build against Win32 and against our stand-in for it on Linux.
#pragma once

#include "ui/win32.h"

// The instance the program was started with; both dialog templates load through it.
extern HINSTANCE appInstance;

// Main dialog "KIVO6" (IDD_MAIN)
INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Settings dialog "詳細設定" (IDD_SETTINGS)
INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
