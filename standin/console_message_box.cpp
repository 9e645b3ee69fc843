// The message box of a program without windows (kivo6-check): the text goes to the
// error stream. The check listens to the reader itself, so this only answers for a
// box the logic core might show without it.
#include "standin/win32_subset.h"

#include <cstdio>

extern "C" int WINAPI MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT) {
    std::fprintf(stderr, "%s: %s\n", caption, text);
    return IDOK;
}
