// On Windows the dialogs are user32's, built from this test program's resources.
#include "support/dialog_host.h"

HINSTANCE DialogTestModule() {
    return GetModuleHandleA(nullptr);
}

DialogHost::DialogHost() = default;
DialogHost::~DialogHost() = default;
