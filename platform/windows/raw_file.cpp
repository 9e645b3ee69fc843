// Raw file access on Windows through kernel32, bypassing the C runtime's buffered
// streams so that reading the history allocates nothing.
#include "platform/raw_file.h"

#include <windows.h>

RawFile OpenRawFile(const char* path) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    return file == INVALID_HANDLE_VALUE ? NO_RAW_FILE : reinterpret_cast<RawFile>(file);
}

int ReadRawFile(RawFile file, char* buffer, int capacity) {
    DWORD got = 0;
    if (!ReadFile(reinterpret_cast<HANDLE>(file), buffer, static_cast<DWORD>(capacity), &got,
                  nullptr)) {
        return 0;
    }
    return static_cast<int>(got);
}

void CloseRawFile(RawFile file) {
    CloseHandle(reinterpret_cast<HANDLE>(file));
}
