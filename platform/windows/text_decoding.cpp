// Text in code page 932 or UTF-16 turned into UTF-8 through kernel32:
// MultiByteToWideChar(932), or the UTF-16 units put in this machine's order, then
// WideCharToMultiByte(CP_UTF8). Both replace what is not valid with U+FFFD.
// Used by kivo6-check --fix.
#include "platform/text_decoding.h"

#include <windows.h>

#include <vector>

std::string DecodeToUtf8(std::string_view bytes, ForeignEncoding encoding) {
    std::vector<wchar_t> wide;
    if (encoding == ForeignEncoding::CodePage932) {
        const int length = static_cast<int>(bytes.size());
        const int count = MultiByteToWideChar(932, 0, bytes.data(), length, nullptr, 0);
        wide.resize(static_cast<std::size_t>(count));
        MultiByteToWideChar(932, 0, bytes.data(), length, wide.data(), count);
    } else {
        const bool little = encoding == ForeignEncoding::Utf16LittleEndian;
        for (std::size_t at = 0; at + 1 < bytes.size(); at += 2) {
            const auto first = static_cast<unsigned char>(bytes[at]);
            const auto second = static_cast<unsigned char>(bytes[at + 1]);
            wide.push_back(
                static_cast<wchar_t>(little ? first | second << 8 : first << 8 | second));
        }
        if (bytes.size() % 2 != 0) {
            wide.push_back(L'\xFFFD');
        }
    }
    std::string text;
    const int units = static_cast<int>(wide.size());
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
    text.resize(static_cast<std::size_t>(size));
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), units, text.data(), size, nullptr, nullptr);
    return text;
}
