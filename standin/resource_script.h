// Reads dialog templates out of a resource script (.rc), so the Linux front ends
// build the dialogs from the same file the Windows program is compiled from. Only
// the statements KIVO6's script uses are understood; anything else is an error.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct ControlTemplate {
    std::string caption; // UTF-8
    int id = 0;
    std::uint32_t style = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;
};

struct DialogTemplate {
    int id = 0;
    std::uint16_t language = 0;
    std::uint32_t style = 0;
    std::string caption;
    std::string fontFace;
    int fontPoints = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;
    std::vector<ControlTemplate> controls;
};

// A file that #include may name, with its text.
struct IncludedFile {
    std::string_view name;
    std::string_view text;
};

struct ResourceScriptResult {
    std::vector<DialogTemplate> dialogs;
    std::string error; // empty on success, else "line N: what was wrong"
};

// Reads `script` (UTF-8, as "#pragma code_page(65001)" says). #include of
// <windows.h> is understood as the Win32 names themselves; other includes are
// looked up in `files`, and unknown ones are skipped (their names stay undefined).
ResourceScriptResult ReadResourceScript(std::string_view script,
                                        const std::vector<IncludedFile>& files);
