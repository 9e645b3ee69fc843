// The Win32 names, types and values KIVO6 uses, declared for systems without Win32.
// Values are Win32's own, so the same program text means the same thing everywhere.
// The functions are supplied by whichever front end the program is linked with.
#pragma once

#include <cstdint>

#define WINAPI

typedef void* HWND;
typedef const char* LPCSTR;
typedef unsigned int UINT;

#define MB_OK 0x00000000L
#define MB_ICONWARNING 0x00000030L

#define IDOK 1

extern "C" int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
