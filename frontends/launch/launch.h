// The command line kivo6 and kivo6-tty share: --help and --version in the layout
// help2man reads, the FOLDER to start in, and the exit statuses of a wrong command
// line. Each front end's main reads its arguments here before it opens a window.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <string_view>

// What a program says of itself in --help, around the options all share.
struct LaunchProgram {
    std::string_view name;    // as the user types it, "kivo6"
    std::string_view summary; // the line after "Usage:"
    bool ownFolder;           // takes --own-folder
    std::string_view notes;   // its own free text, after the options
};

struct Launch {
    int exitStatus = -1;    // 0 or more: the program ends now with this status
    bool ownFolder = false; // --own-folder was given
};

inline constexpr int EXIT_NO_FOLDER = 2;
inline constexpr int EXIT_USAGE = 64;

// Reads the arguments after the program's name. Writes the help or the version to
// `out`, or the problem and the usage to `err`, and then asks the program to end;
// enters a FOLDER that is named.
Launch ReadLaunchCommandLine(const LaunchProgram& program, int argc, const char* const* argv,
                             std::ostream& out, std::ostream& err);

// Makes `folder` the current folder; false, with the reason on `err`, when it cannot
// be entered.
bool EnterFolder(std::string_view program, const std::filesystem::path& folder, std::ostream& err);

// The example history as the package installs it. KIVO6_EXAMPLE_HISTORY in the
// environment names another file instead: for tests only, which cannot install one.
std::filesystem::path ExampleHistory();
