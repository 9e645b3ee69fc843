// The entry point of kivo6-tty: reads the command line, asks on the terminal about
// the first start in the user's own folder, takes over the terminal, installs the
// terminal front end in the window model and runs the program's own WinMain on the
// templates built into it.
#include "frontends/launch/first_run.h"
#include "frontends/tty/first_run_question.h"
#include "frontends/tty/tty_front_end.h"
#include "platform/console.h"
#include "standin/window_model.h"

#include <clocale>
#include <cstring>
#include <iostream>
#include <langinfo.h>

namespace {

// The dialogs are Japanese; without a UTF-8 character type the C library could
// neither measure nor write them. Terminals that show them speak UTF-8.
void UseUtf8Characters() {
    if (std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0) {
        std::setlocale(LC_CTYPE, "C.UTF-8");
    }
}

constexpr LaunchProgram program{
    "kivo6-tty", "Suggests numbers for a 6-of-43 lottery from past draws, in a terminal.", false,
    "The keys are a Windows dialog's: Tab and Shift+Tab, the arrows, Space, Enter,\n"
    "Escape, and the underlined letters, with or without Alt (Alt+X ends the program).\n"
    "Enter presses the default button, the exit button, unless Tab or an arrow moved\n"
    "to another button. Mouse clicks work where the terminal reports them. A long\n"
    "message box scrolls with the arrows, Page Up, Page Down, Home and End; Enter,\n"
    "Space or Escape closes it.\n"
    "\n"};

} // namespace

int main(int argc, char** argv) {
    // Before curses takes the screen, so that what it writes stays legible.
    const Launch launch = ReadLaunchCommandLine(program, argc, argv, std::cout, std::cerr);
    if (launch.exitStatus >= 0) {
        return launch.exitStatus;
    }
    if (launch.ownFolder) {
        TerminalFirstRunQuestion question(
            std::cin, std::cout, LocaleAsksForJapanese() ? Language::Japanese : Language::English,
            launch.startedIn);
        OfferAHistory(program, question);
    }
    std::setlocale(LC_ALL, "");
    UseUtf8Characters();

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
    char commandLine[] = "";
    const int result = WinMain(module, nullptr, commandLine, 1);
    SetFrontEnd(nullptr);
    frontEnd.Stop();
    return result;
}
