// The console on Windows: the language of the user's interface, and text that shows
// right whatever the console's code page: wide characters to a console window, the
// console's (or the system's) code page when the output goes to a file or a pipe.
#include "platform/console.h"

#include <windows.h>

#include <string>

namespace {

HANDLE HandleOf(ConsoleStream stream) {
    return GetStdHandle(stream == ConsoleStream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
}

std::wstring Widen(std::string_view utf8) {
    if (utf8.empty()) {
        return {};
    }
    int length =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                        length);
    return wide;
}

std::string Narrow(const std::wstring& wide) {
    if (wide.empty()) {
        return {};
    }
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), length,
                        nullptr, nullptr);
    return utf8;
}

} // namespace

bool LocaleAsksForJapanese() {
    return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE;
}

bool IsTerminal(ConsoleStream stream) {
    DWORD mode = 0;
    return GetConsoleMode(HandleOf(stream), &mode) != 0;
}

void WriteToConsole(ConsoleStream stream, std::string_view utf8) {
    HANDLE handle = HandleOf(stream);
    std::wstring wide = Widen(utf8);
    DWORD written = 0;
    if (IsTerminal(stream)) {
        WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    UINT codePage = GetConsoleOutputCP();
    if (codePage == 0) {
        codePage = GetACP();
    }
    std::string bytes;
    // Text lines end in CR LF in files that Windows programs read.
    std::wstring lines;
    for (wchar_t c : wide) {
        if (c == L'\n') {
            lines += L'\r';
        }
        lines += c;
    }
    if (!lines.empty()) {
        int length = WideCharToMultiByte(codePage, 0, lines.data(), static_cast<int>(lines.size()),
                                         nullptr, 0, nullptr, nullptr);
        bytes.resize(static_cast<std::size_t>(length));
        WideCharToMultiByte(codePage, 0, lines.data(), static_cast<int>(lines.size()), bytes.data(),
                            length, nullptr, nullptr);
    }
    WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

bool ConsoleClosesWithProgram() {
    // Explorer gives a console program a console of its own; a command prompt, a
    // batch file or a pipe shares it (two or more processes) or has none (0).
    DWORD processes[2] = {};
    DWORD mode = 0;
    return GetConsoleProcessList(processes, 2) == 1 &&
           GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) != 0;
}

bool ReadConsoleLine(std::string& line) {
    line.clear();
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    DWORD mode = 0;
    if (GetConsoleMode(input, &mode) != 0) {
        std::wstring wide;
        wchar_t c = 0;
        DWORD got = 0;
        while (ReadConsoleW(input, &c, 1, &got, nullptr) && got == 1 && c != L'\n' && c != 0x1A) {
            if (c != L'\r') {
                wide += c;
            }
        }
        const bool more = got == 1 && c == L'\n';
        line = Narrow(wide);
        return more || !line.empty();
    }
    char c = 0;
    DWORD got = 0;
    while (ReadFile(input, &c, 1, &got, nullptr) && got == 1 && c != '\n') {
        if (c != '\r') {
            line += c;
        }
    }
    return got == 1 || !line.empty();
}

FileProblem ReadWholeInput(std::string& bytes) {
    bytes.clear();
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    DWORD mode = 0;
    DWORD got = 0;
    if (GetConsoleMode(input, &mode) != 0) {
        // Typed text ends with Ctrl+Z, which the console hands over only with Enter.
        std::wstring wide;
        wchar_t c = 0;
        while (ReadConsoleW(input, &c, 1, &got, nullptr) && got == 1 && c != 0x1A) {
            if (wide.size() >= WHOLE_FILE_LIMIT) {
                return FileProblem::TooLarge;
            }
            wide += c;
        }
        bytes = Narrow(wide);
        return FileProblem::None;
    }
    char buffer[1 << 16];
    // A pipe ends with a failure (ERROR_BROKEN_PIPE), a file with 0 bytes read.
    while (ReadFile(input, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        if (bytes.size() + got > WHOLE_FILE_LIMIT) {
            return FileProblem::TooLarge;
        }
        bytes.append(buffer, got);
    }
    return FileProblem::None;
}

std::string ProgramFolder() {
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return {};
    }
    const std::string program(path, length);
    return program.substr(0, program.find_last_of("\\/") + 1);
}
