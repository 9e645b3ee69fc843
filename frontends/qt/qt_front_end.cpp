// The Qt 6 front end: one DialogView per open dialog, the message box, and the
// wait for input, which runs Qt's event loop once. The model's modal loops are the
// program's loops; Qt's exec() is never entered for a dialog.
#include "frontends/qt/qt_front_end.h"

#include "frontends/qt/dialog_fonts.h"
#include "frontends/qt/dialog_view.h"
#include "frontends/qt/message_box.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QEventLoop>
#include <QtGui/QGuiApplication>

#include <algorithm>

QtFrontEnd::QtFrontEnd() {
    InstallFontSubstitutions();
    // The program ends when WinMain returns, not when Qt sees no window: between
    // two dialogs, or while one is being replaced, there may be none.
    QGuiApplication::setQuitOnLastWindowClosed(false);
}

QtFrontEnd::~QtFrontEnd() {
    for (DialogView* view : views_) {
        view->Dialog()->view = nullptr;
        delete view;
    }
}

DialogView* QtFrontEnd::ViewOf(HWND dialog) const {
    const auto found = std::find_if(views_.begin(), views_.end(), [dialog](const DialogView* view) {
        return view->Dialog() == dialog;
    });
    return found != views_.end() ? *found : nullptr;
}

void QtFrontEnd::DialogOpened(HWND dialog) {
    auto* view = new DialogView(dialog, dialog->owner != nullptr ? ViewOf(dialog->owner) : nullptr);
    dialog->view = view;
    views_.push_back(view);
    view->ShowModelState();
    view->show();
    view->raise();
    view->activateWindow();
}

void QtFrontEnd::DialogClosed(HWND dialog) {
    DialogView* view = ViewOf(dialog);
    if (view == nullptr) {
        return;
    }
    std::erase(views_, view);
    dialog->view = nullptr;
    // The model calls this from its modal loop, never from inside one of the
    // view's own event handlers, so the view can go at once.
    delete view;
    if (DialogView* owner = dialog->owner != nullptr ? ViewOf(dialog->owner) : nullptr) {
        owner->activateWindow();
    }
}

void QtFrontEnd::DialogChanged(HWND dialog) {
    if (DialogView* view = ViewOf(dialog)) {
        view->ShowModelState();
    }
}

void QtFrontEnd::WaitForInput() {
    // Handles whatever Qt has, sleeping until there is something. Input reaches the
    // model from the views' event handlers, inside this call.
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

// Every box KIVO6 shows has the warning icon and one OK button, which the report
// box draws; the flags name nothing else to draw.
void QtFrontEnd::ShowMessageBox(HWND owner, const std::string& caption, const std::string& text,
                                UINT) {
    DialogView* ownerView = owner != nullptr ? ViewOf(owner) : nullptr;
    ShowReportBox(ownerView, caption, text);
    if (ownerView != nullptr && ViewOf(owner) == ownerView) {
        ownerView->activateWindow();
    }
}

QWidget* QtFrontEnd::WidgetFor(HWND window) const {
    if (window == nullptr) {
        return nullptr;
    }
    if (window->IsDialog()) {
        return ViewOf(window);
    }
    DialogView* view = ViewOf(window->parent);
    return view != nullptr ? view->WidgetFor(window) : nullptr;
}
