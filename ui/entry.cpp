// The program's entry routine: starts the program on data.txt from the current folder
// and runs the main dialog until it ends. Every path ends the process with status 0.
#include "core/program.h"
#include "resources/resource.h"
#include "ui/dialogs.h"

HINSTANCE appInstance;

namespace {

// The reader's own failure box, before the entry routine's second one.
void ShowReaderFailure(const char* text) {
    MessageBoxA(nullptr, text, "Dialog", MB_ICONWARNING);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    appInstance = instance;
    ShowHistoryFailure = ShowReaderFailure;
    if (!StartFromHistoryFile(HISTORY_FILE_NAME)) {
        // The reader has already said why; this second box says the program stops.
        MessageBoxA(nullptr, LOAD_FAILED_TEXT, "Dialog", MB_ICONWARNING);
        return 0;
    }
    DialogBoxParamA(appInstance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainDialogProc, 0);
    return 0;
}
