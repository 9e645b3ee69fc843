// On Windows the core calls MessageBoxA through user32's import slot. Defining that
// slot here keeps the import library's own entry out of the link, so the core's
// boxes reach the recorder instead of opening on the screen and waiting for a click.
#include "support/core_fixture.h"

// The slot's symbol carries the target's decoration: 32-bit x86 prefixes C names
// with an underscore and names a stdcall function with its argument bytes; x86-64
// does neither.
#if defined(_WIN64)
#define KIVO6_MESSAGEBOXA_SLOT "__imp_MessageBoxA"
#else
#define KIVO6_MESSAGEBOXA_SLOT "__imp__MessageBoxA@16"
#endif

using MessageBoxFunction = int(WINAPI*)(HWND, LPCSTR, LPCSTR, UINT);

extern "C" {
extern const MessageBoxFunction importedMessageBoxA __asm__(KIVO6_MESSAGEBOXA_SLOT);
const MessageBoxFunction importedMessageBoxA = RecordMessageBox;
}
