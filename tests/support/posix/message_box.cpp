// Where Win32 is absent the program links whichever MessageBoxA it is given; the
// core tests give it the recording one.
#include "support/core_fixture.h"

extern "C" int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    return RecordMessageBox(owner, text, caption, type);
}
