// The Qt 6 front end of KIVO6: draws the window model's dialogs as Qt windows and
// message boxes, and waits for the user in Qt's event loop. main.cpp installs it;
// the Qt tests and the start-up benchmark link it through kivo6_qt_front_end.
#pragma once

#include "standin/window_model.h"

#include <vector>

class DialogView;
class QWidget;

class QtFrontEnd final : public FrontEnd {
  public:
    // Needs the QApplication to exist already.
    QtFrontEnd();
    ~QtFrontEnd() override;
    QtFrontEnd(const QtFrontEnd&) = delete;
    QtFrontEnd& operator=(const QtFrontEnd&) = delete;

    void DialogOpened(HWND dialog) override;
    void DialogClosed(HWND dialog) override;
    void DialogChanged(HWND dialog) override;
    void WaitForInput() override;
    void ShowMessageBox(HWND owner, const std::string& caption, const std::string& text,
                        UINT type) override;

    // The window drawing a dialog, or the widget drawing a control; nullptr for a
    // window that is not on the screen.
    QWidget* WidgetFor(HWND window) const;

  private:
    DialogView* ViewOf(HWND dialog) const;

    std::vector<DialogView*> views_; // open dialogs, innermost last
};
