// The entry point of kivo6, the Qt 6 program: reads the command line, sets up Qt,
// installs the Qt front end under the window model and runs the program's own entry
// routine on the dialog templates built into it.
#include "frontends/launch/first_run.h"
#include "frontends/qt/first_run_question.h"
#include "frontends/qt/qt_front_end.h"

#include <QtWidgets/QApplication>

#include <iostream>

namespace {

constexpr LaunchProgram program{
    "kivo6", "Suggests numbers for a 6-of-43 lottery from past draws, in a window.", true,
    "Started from a shell without FOLDER, kivo6 reads data.txt in the current folder.\n"
    "The menu entry, KIVO6 under Utilities, starts it with --own-folder.\n"
    "\n"};

} // namespace

int main(int argc, char* argv[]) {
    // Before QApplication, which needs a display: --help and --version need none.
    const Launch launch = ReadLaunchCommandLine(program, argc, argv, std::cout, std::cerr);
    if (launch.exitStatus >= 0) {
        return launch.exitStatus;
    }
    QApplication application(argc, argv);
    // Lets Wayland desktops match the window to the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("kivo6"));
    if (launch.ownFolder) {
        QtFirstRunQuestion question;
        OfferAHistory(program, question);
    }
    QtFrontEnd frontEnd;
    SetFrontEnd(&frontEnd);
    HINSTANCE module = ProgramModule();
    if (module == nullptr) {
        SetFrontEnd(nullptr);
        return 1;
    }
    char commandLine[] = "";
    const int result = WinMain(module, nullptr, commandLine, 1);
    SetFrontEnd(nullptr);
    return result;
}
