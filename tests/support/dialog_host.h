// Where the dialog behaviour tests get their dialog templates and how their modal
// loops are hosted: on Windows the test program's own resources and user32; on
// Linux the stand-in's built-in templates and a front end with no user at all.
#pragma once

#include "platform/platform.h"

// The module holding IDD_MAIN and IDD_SETTINGS.
HINSTANCE DialogTestModule();

// Lets modal loops run on posted messages alone, for as long as it lives.
class DialogHost {
  public:
    DialogHost();
    ~DialogHost();
    DialogHost(const DialogHost&) = delete;
    DialogHost& operator=(const DialogHost&) = delete;
};
