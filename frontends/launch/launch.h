// The command line kivo6 and kivo6-tty share: --help and --version in the layout
// help2man reads, the folder to start in (FOLDER, or the user's own with --own-folder),
// and the exit statuses of a wrong command line. Each front end's main reads its
// arguments here before it opens a window.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <string_view>

// What a program says of itself in --help, around the options all share.
struct LaunchProgram {
    std::string_view name;    // as the user types it, "kivo6"
    std::string_view summary; // the line after "Usage:"
    bool menuEntry;           // the menu entry starts it, with --own-folder
    std::string_view notes;   // its own free text, after the options
};

struct Launch {
    int exitStatus = -1;    // 0 or more: the program ends now with this status
    bool ownFolder = false; // --own-folder was given: offer a history (first_run.h)
    // The current folder before the start folder was entered: where a path the user
    // types is from.
    std::filesystem::path startedIn{};
};

inline constexpr int EXIT_NO_FOLDER = 2;
inline constexpr int EXIT_USAGE = 64;

// Reads the arguments after the program's name. Writes the help or the version to
// `out`, or the problem and the usage to `err`, and then asks the program to end;
// enters the FOLDER named, or the own folder ($XDG_DATA_HOME/kivo6,
// ~/.local/share/kivo6), made when it is missing.
Launch ReadLaunchCommandLine(const LaunchProgram& program, int argc, const char* const* argv,
                             std::ostream& out, std::ostream& err);

// The example history as the package installs it. KIVO6_EXAMPLE_HISTORY in the
// environment names another file instead: for tests only, which cannot install one.
std::filesystem::path ExampleHistory();
