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
           "the current folder, or FOLDER when one is named. Without data.txt it says\n"
           "\"Data Read ERROR\", then \"ERROR ReadData\", and ends. It never changes or\n"
           "replaces a data.txt.\n"
           "\n"
           "Options:\n";
    if (program.ownFolder) {
        out << "      --own-folder  start in your own KIVO6 folder, $XDG_DATA_HOME/kivo6\n"
               "                    (~/.local/share/kivo6 when XDG_DATA_HOME is not set),\n"
               "                    made when missing; when it holds no data.txt, first\n"
               "                    offer to copy the example history there. The menu\n"
               "                    entry starts "
            << program.name << " this way.\n";
    }
    out << "      --help        display this help and exit\n"
           "      --version     output version information and exit\n"
           "\n"
        << program.notes << "The example history, 150 made-up draws, is installed as\n"
        << KIVO6_EXAMPLE_HISTORY << ".\n"
        << "\nExit status: 0 once the program has run, 2 when FOLDER cannot be entered,\n"
           "64 for a wrong command line.\n";
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
            return {0, false};
        }
        if (argument == "--version") {
            out << program.name << " (KIVO6) " << KIVO6_VERSION << "\n";
            return {0, false};
        }
        if (argument == "--own-folder" && program.ownFolder) {
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
        return {EXIT_USAGE, false};
    }
    if (folder != nullptr && !EnterFolder(program.name, folder, err)) {
        return {EXIT_NO_FOLDER, false};
    }
    return launch;
}

bool EnterFolder(std::string_view program, const std::filesystem::path& folder, std::ostream& err) {
    std::error_code error;
    std::filesystem::current_path(folder, error);
    if (error) {
        err << program << ": cannot start in " << folder.string() << ": " << error.message()
            << "\n";
        return false;
    }
    return true;
}

std::filesystem::path ExampleHistory() {
    const char* forTests = std::getenv("KIVO6_EXAMPLE_HISTORY");
    return forTests != nullptr && *forTests != '\0' ? forTests : KIVO6_EXAMPLE_HISTORY;
}
