// The entry point of kivo6-tty: takes over the terminal, installs the terminal front
// end in the window model and runs the program's own WinMain on the templates built
// into it. Also compiled into the test variants of the program.
#include "frontends/tty/tty_front_end.h"
#include "standin/window_model.h"

#include <clocale>
#include <cstring>
#include <langinfo.h>
#include <string>

namespace {

// The dialogs are Japanese; without a UTF-8 character type the C library could
// neither measure nor write them. Terminals that show them speak UTF-8.
void UseUtf8Characters() {
    if (std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0) {
        std::setlocale(LC_CTYPE, "C.UTF-8");
    }
}

} // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    UseUtf8Characters();

    // The command line as Windows would pass it: the arguments after the program name.
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        commandLine += (i > 1 ? " " : "");
        commandLine += argv[i];
    }

    // Read before curses takes the screen, so that a complaint about it stays legible.
    const HINSTANCE module = ProgramModule();
    if (module == nullptr) {
        return 1;
    }
    TtyFrontEnd frontEnd;
    if (!frontEnd.Start()) {
        return 1;
    }
    SetFrontEnd(&frontEnd);
    const int result = WinMain(module, nullptr, commandLine.data(), 1);
    SetFrontEnd(nullptr);
    frontEnd.Stop();
    return result;
}
