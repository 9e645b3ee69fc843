// Routes the calls this program makes to MessageBoxA to a function of the tests, by
// defining user32's import slot, which keeps the import library's own entry out of
// the link. Used by the session host.
#pragma once

#include <windows.h>

// The slot's symbol carries the target's decoration: 32-bit x86 prefixes C names
// with an underscore and names a stdcall function with its argument bytes; x86-64
// does neither.
#if defined(_WIN64)
#define KIVO6_MESSAGEBOXA_SLOT "__imp_MessageBoxA"
#else
#define KIVO6_MESSAGEBOXA_SLOT "__imp__MessageBoxA@16"
#endif

using MessageBoxFunction = int(WINAPI*)(HWND, LPCSTR, LPCSTR, UINT);

#define KIVO6_ROUTE_MESSAGEBOXA_TO(function)                                                       \
    extern "C" {                                                                                   \
    extern const MessageBoxFunction importedMessageBoxA __asm__(KIVO6_MESSAGEBOXA_SLOT);           \
    const MessageBoxFunction importedMessageBoxA = function;                                       \
    }
