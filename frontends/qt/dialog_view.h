// One dialog of the window model drawn as a Qt window: a fixed-size top-level
// widget with a button, check box, radio button or group box per control, placed
// from dialog units. It shows what the model says and passes every click and key
// to the model, never acting on them itself. Created by QtFrontEnd.
#pragma once

#include "standin/window_model.h"

#include <QtWidgets/QWidget>

#include <utility>
#include <vector>

class QKeyEvent;

class DialogView final : public QWidget {
  public:
    // `ownerView` is the view of the dialog's owner, or nullptr.
    DialogView(HWND dialog, QWidget* ownerView);

    HWND Dialog() const {
        return dialog_;
    }
    // The widget drawing one of this dialog's controls, or nullptr.
    QWidget* WidgetFor(HWND control) const;
    // Shows the model's check states, enabled states, focus and default button.
    void ShowModelState();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    HWND ControlOf(const QObject* widget) const;
    // Each returns true when it took the event away from Qt.
    bool OnKeyboard(QEvent* event);
    bool OnMouse(HWND control, QWidget* widget, const QEvent* event);
    void OnKey(const QKeyEvent* event);

    HWND dialog_;
    std::vector<std::pair<HWND, QWidget*>> controls_; // template order
    HWND mouseDown_ = nullptr;                        // the button a click started on
    bool mouseInside_ = false;                        // the mouse is still over it
    bool secondClick_ = false;                        // that press was the second of a double click
};
