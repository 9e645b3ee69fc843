// The entry point of kivo6, the Qt 6 program: sets up Qt, installs the Qt front
// end under the window model and runs the program's own entry routine on the
// dialog templates built into it.
#include "frontends/qt/qt_front_end.h"

#include <QtWidgets/QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // Lets Wayland desktops match the window to the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("kivo6"));
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
