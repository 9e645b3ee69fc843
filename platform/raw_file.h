// Unbuffered read-only file access for the history reader. It hands out raw bytes
// and allocates nothing, so loading data.txt stays free of heap use on every system;
// the reader applies the text-mode rules itself.
#pragma once

#include <cstdint>

using RawFile = std::intptr_t;
inline constexpr RawFile NO_RAW_FILE = -1;

// NO_RAW_FILE when the file cannot be opened for reading.
RawFile OpenRawFile(const char* path);
// Bytes read into buffer (at most capacity); 0 at the end of the file or on a read error.
int ReadRawFile(RawFile file, char* buffer, int capacity);
void CloseRawFile(RawFile file);
