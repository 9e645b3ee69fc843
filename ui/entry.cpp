// The program's entry routine: resets the state, reads data.txt from the current
// folder, computes the shares and the pool, and runs the main dialog until it ends.
// Every path ends the process with status 0.
#include "history/history_file.h"
#include "history/state.h"
#include "resources/resource.h"
#include "stats/shares.h"
#include "ui/dialogs.h"

HINSTANCE appInstance;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    appInstance = instance;
    ResetState();
    if (!LoadHistoryText(HISTORY_FILE_NAME)) {
        // The reader has already said why; this second box says the program stops.
        MessageBoxA(nullptr, LOAD_FAILED_TEXT, "Dialog", MB_ICONWARNING);
        return 0;
    }
    ComputePercentages();
    DialogBoxParamA(appInstance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainDialogProc, 0);
    return 0;
}
