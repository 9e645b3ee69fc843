// The console on POSIX systems: the locale from the environment, as every command-line
// program reads it, and UTF-8 text written as it is.
#include "platform/console.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace {

const char* Variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? value : nullptr;
}

std::FILE* StreamOf(ConsoleStream stream) {
    return stream == ConsoleStream::Output ? stdout : stderr;
}

} // namespace

bool LocaleAsksForJapanese() {
    // Messages follow LC_ALL, then LC_MESSAGES, then LANG; GNU's LANGUAGE list takes
    // precedence over them unless the locale is plain C.
    const char* locale = Variable("LC_ALL");
    if (locale == nullptr) {
        locale = Variable("LC_MESSAGES");
    }
    if (locale == nullptr) {
        locale = Variable("LANG");
    }
    if (locale == nullptr || std::strcmp(locale, "C") == 0 || std::strcmp(locale, "POSIX") == 0) {
        return false;
    }
    if (const char* languages = Variable("LANGUAGE")) {
        locale = languages;
    }
    return std::strncmp(locale, "ja", 2) == 0;
}

bool IsTerminal(ConsoleStream stream) {
    return isatty(fileno(StreamOf(stream))) == 1;
}

void WriteToConsole(ConsoleStream stream, std::string_view utf8) {
    std::FILE* file = StreamOf(stream);
    std::fwrite(utf8.data(), 1, utf8.size(), file);
    std::fflush(file);
}

bool ConsoleClosesWithProgram() {
    return false;
}

bool ReadConsoleLine(std::string& line) {
    line.clear();
    int c;
    while ((c = std::getchar()) != EOF && c != '\n') {
        line += static_cast<char>(c);
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return c != EOF || !line.empty();
}

FileProblem ReadWholeInput(std::string& bytes) {
    bytes.clear();
    char buffer[1 << 16];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, stdin)) > 0) {
        if (bytes.size() + got > WHOLE_FILE_LIMIT) {
            return FileProblem::TooLarge;
        }
        bytes.append(buffer, got);
    }
    return FileProblem::None;
}

std::string ProgramFolder() {
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) {
        return {};
    }
    const std::string program(path, static_cast<std::size_t>(length));
    return program.substr(0, program.rfind('/') + 1);
}
