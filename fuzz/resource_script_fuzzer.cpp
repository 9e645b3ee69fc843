// libFuzzer target for the resource script reader: the input bytes are the script,
// with the program's resources/resource.h offered as the file it may #include. A
// script is either read, or refused with "<file> line N: reason" naming a real line.
// Built by fuzz/CMakeLists.txt (fuzz preset) and run by tools/fuzz.sh.
#include "standin/resource_script.h"

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

extern const unsigned char embeddedResourceHeader[];
extern const unsigned embeddedResourceHeaderSize;

namespace {

// The names the reader gives the script and the included file in its messages.
constexpr std::string_view SCRIPT_NAME = "resource script";
constexpr std::string_view HEADER_NAME = "resource.h";

[[noreturn]] void Broken(const char* what, const ResourceScriptResult& result) {
    std::fprintf(stderr, "kivo6_resource_script_fuzzer: %s\nerror: \"%s\"\n", what,
                 result.error.c_str());
    std::abort();
}

// Lines as the reader numbers them: each '\n' ends one, and text after the last
// '\n' is one more.
std::size_t LineCount(std::string_view text) {
    std::size_t lines = 0;
    for (char c : text) {
        lines += c == '\n' ? 1 : 0;
    }
    if (!text.empty() && text.back() != '\n') {
        ++lines;
    }
    return lines;
}

std::string_view HeaderText() {
    return {reinterpret_cast<const char*>(embeddedResourceHeader), embeddedResourceHeaderSize};
}

void CheckRefusal(std::string_view script, const ResourceScriptResult& result) {
    if (!result.dialogs.empty()) {
        Broken("a refused script kept dialogs", result);
    }
    std::string_view error = result.error;
    std::size_t marker = error.find(" line ");
    if (marker == std::string_view::npos) {
        Broken("the error names no line", result);
    }
    std::string_view file = error.substr(0, marker);
    std::size_t lines = 0;
    if (file == SCRIPT_NAME) {
        lines = LineCount(script);
    } else if (file == HEADER_NAME) {
        lines = LineCount(HeaderText());
    } else {
        Broken("the error names neither the script nor resource.h", result);
    }
    std::string_view rest = error.substr(marker + 6);
    std::size_t line = 0;
    auto [end, failure] = std::from_chars(rest.data(), rest.data() + rest.size(), line);
    if (failure != std::errc() || end == rest.data()) {
        Broken("the error's line is not a number", result);
    }
    if (line < 1 || line > lines) {
        Broken("the error's line is not a line of its file", result);
    }
    std::string_view reason = rest.substr(static_cast<std::size_t>(end - rest.data()));
    if (reason.size() < 3 || reason.substr(0, 2) != ": ") {
        Broken("the error gives no reason after its line", result);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view script(reinterpret_cast<const char*>(data), size);
    const std::vector<IncludedFile> files = {{HEADER_NAME, HeaderText()}};
    const ResourceScriptResult result = ReadResourceScript(script, files);
    if (!result.error.empty()) {
        CheckRefusal(script, result);
    }
    return 0;
}
