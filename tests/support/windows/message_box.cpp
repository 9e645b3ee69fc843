// On Windows the core calls MessageBoxA through user32's import slot. Defining that
// slot here keeps the import library's own entry out of the link, so the core's
// boxes reach the recorder instead of opening on the screen and waiting for a click.
#include "support/core_fixture.h"

using MessageBoxFunction = int(WINAPI*)(HWND, LPCSTR, LPCSTR, UINT);

extern "C" {
extern const MessageBoxFunction importedMessageBoxA __asm__("__imp__MessageBoxA@16");
const MessageBoxFunction importedMessageBoxA = RecordMessageBox;
}
