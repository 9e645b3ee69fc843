// The Qt front end's message box: a modal QMessageBox with the warning icon and
// one OK button, its text selectable and in a fixed-pitch face so the reports'
// columns line up. Called by QtFrontEnd::ShowMessageBox.
#pragma once

#include <string>

class QWidget;

// Returns when the user has dismissed the box. `owner` may be nullptr; the texts
// are UTF-8 and shown as plain text.
void ShowReportBox(QWidget* owner, const std::string& caption, const std::string& text);
