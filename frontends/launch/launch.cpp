// The command line kivo6 and kivo6-tty share; see launch.h. The example's path and
// the version come from the build (cmake/Packaging.cmake, CMakeLists.txt here).
#include "frontends/launch/launch.h"

#include <cstdlib>
#include <ostream>
#include <string>
#include <system_error>

namespace {

void WriteUsageLine(const LaunchProgram& program, std::ostream& stream) {
    stream << "Usage: " << program.name << " [OPTION]... [FOLDER]\n";
}

void WriteHelp(const LaunchProgram& program, std::ostream& out) {
    WriteUsageLine(program, out);
    out << program.summary << "\n\n"
        << "KIVO6 reads the history of past draws from data.txt in the folder it starts in:\n"
           "the current folder, FOLDER when one is named, or your own with --own-folder.\n"
           "Without data.txt it says \"Data Read ERROR\", then \"ERROR ReadData\", and\n"
           "ends. It never changes or replaces a data.txt.\n"
           "\n"
           "Options:\n";
    out << "      --own-folder  start in your own KIVO6 folder, $XDG_DATA_HOME/kivo6\n"
           "                    (~/.local/share/kivo6 when XDG_DATA_HOME is not set),\n"
           "                    made when missing; when it holds no data.txt, first\n"
           "                    offer to copy the example history there, or to write\n"
           "                    there the draws of a history of your own.\n";
    if (program.menuEntry) {
        out << "                    The menu entry starts " << program.name << " this way.\n";
    }
    out << "      --help        display this help and exit\n"
           "      --version     output version information and exit\n"
           "\n"
        << program.notes << "The example history, 150 made-up draws, is installed as\n"
        << KIVO6_EXAMPLE_HISTORY << ".\n"
        << "\nExit status: 0 once the program has run, 2 when the folder to start in cannot\n"
           "be made or entered, 64 for a wrong command line.\n";
}

// The user's own KIVO6 folder: $XDG_DATA_HOME/kivo6, or ~/.local/share/kivo6 when
// XDG_DATA_HOME is not set (or, against the XDG rules, not an absolute path); empty
// when HOME is not set either.
std::filesystem::path OwnFolder() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome != nullptr && dataHome[0] == '/') {
        return std::filesystem::path(dataHome) / "kivo6";
    }
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') {
        return {};
    }
    return std::filesystem::path(home) / ".local/share/kivo6";
}

// Makes `folder` the current folder, first making it when it is the own folder; false,
// with the reason on `err`, when that fails.
bool EnterFolder(std::string_view program, const std::filesystem::path& folder, bool make,
                 std::ostream& err) {
    std::error_code error;
    if (make) {
        std::filesystem::create_directories(folder, error);
    }
    if (!error) {
        std::filesystem::current_path(folder, error);
    }
    if (error) {
        err << program << ": cannot start in " << folder.string() << ": " << error.message()
            << "\n";
        return false;
    }
    return true;
}

} // namespace

Launch ReadLaunchCommandLine(const LaunchProgram& program, int argc, const char* const* argv,
                             std::ostream& out, std::ostream& err) {
    Launch launch;
    const char* folder = nullptr;
    std::string problem;
    for (int at = 1; at < argc && problem.empty(); ++at) {
        const std::string_view argument = argv[at];
        if (argument == "--help") {
            WriteHelp(program, out);
            return {.exitStatus = 0};
        }
        if (argument == "--version") {
            out << program.name << " (KIVO6) " << KIVO6_VERSION << "\n";
            return {.exitStatus = 0};
        }
        if (argument == "--own-folder") {
            launch.ownFolder = true;
        } else if (argument.size() > 1 && argument[0] == '-') {
            problem = "unknown option '" + std::string(argument) + "'";
        } else if (folder != nullptr) {
            problem = "one FOLDER only, not also '" + std::string(argument) + "'";
        } else {
            folder = argv[at];
        }
    }
    if (problem.empty() && launch.ownFolder && folder != nullptr) {
        problem = "--own-folder chooses the folder itself: leave out '" + std::string(folder) + "'";
    }
    if (!problem.empty()) {
        err << program.name << ": " << problem << "\n";
        WriteUsageLine(program, err);
        err << "Try '" << program.name << " --help' for more information.\n";
        return {.exitStatus = EXIT_USAGE};
    }
    std::error_code error;
    launch.startedIn = std::filesystem::current_path(error);
    const std::filesystem::path start =
        launch.ownFolder ? OwnFolder() : std::filesystem::path(folder != nullptr ? folder : "");
    if (launch.ownFolder && start.empty()) {
        err << program.name << ": no folder for your data: set HOME or XDG_DATA_HOME\n";
        return {.exitStatus = EXIT_NO_FOLDER};
    }
    if (!start.empty() && !EnterFolder(program.name, start, launch.ownFolder, err)) {
        return {.exitStatus = EXIT_NO_FOLDER};
    }
    return launch;
}

std::filesystem::path ExampleHistory() {
    const char* forTests = std::getenv("KIVO6_EXAMPLE_HISTORY");
    return forTests != nullptr && *forTests != '\0' ? forTests : KIVO6_EXAMPLE_HISTORY;
}
