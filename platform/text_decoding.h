// Text saved in another encoding, turned into UTF-8: kivo6-check --fix reads a history
// in whatever encoding its keeper's program saved it. One implementation per system
// (posix/: the C library's iconv; windows/: kernel32's code page conversion).
#pragma once

#include <string>
#include <string_view>

enum class ForeignEncoding { CodePage932, Utf16LittleEndian, Utf16BigEndian };

// The bytes as UTF-8. A byte sequence that is not valid in the encoding becomes
// U+FFFD, so the text around it is never lost; an odd last byte of UTF-16 too.
std::string DecodeToUtf8(std::string_view bytes, ForeignEncoding encoding);
