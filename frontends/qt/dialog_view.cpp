// One dialog of the window model as a Qt window. Qt draws the controls; the model
// decides everything else: mouse clicks and keys are taken away from the widgets
// (so Qt neither toggles, moves the focus nor fires shortcuts) and handed to the
// model, and the widgets are then set from the model's state.
#include "frontends/qt/dialog_view.h"

#include "frontends/qt/dialog_fonts.h"

#include <QtCore/QPointer>
#include <QtCore/QSignalBlocker>
#include <QtGui/QCloseEvent>
#include <QtGui/QGuiApplication>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtGui/QScreen>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QStyle>

namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Qt reads '&' in a caption much as Windows does ("&&" is one '&', '&' underlines
// the letter after it), so the caption is given to Qt as it is and Qt draws the
// mnemonic underlined. Where the two readings differ (a lone '&' at the end), Qt
// gets the caption as Windows shows it, with every '&' doubled.
QString QtCaption(const WindowRecord& control) {
    const QString raw = FromUtf8(control.caption);
    const QString shown = FromUtf8(control.VisibleCaption());
    QString qtShows;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw[i] == u'&') {
            if (++i == raw.size()) {
                break;
            }
        }
        qtShows += raw[i];
    }
    if (qtShows == shown) {
        return raw;
    }
    QString escaped = shown;
    escaped.replace(u'&', QStringLiteral("&&"));
    return escaped;
}

// A group box as Windows draws one: an etched frame whose top line runs through the
// middle of the caption, no fill, so nested frames and the controls placed over
// them keep to the template's positions. (Qt's styles put the caption above a
// shaded frame, which pushes the frame's top line a whole text line down.)
class GroupFrame final : public QGroupBox {
  public:
    GroupFrame(const QString& title, QWidget* parent) : QGroupBox(title, parent) {}

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QFontMetrics metrics = fontMetrics();
        const QRect frame = rect().adjusted(0, metrics.height() / 2 - 1, -1, -1);
        painter.setPen(palette().color(QPalette::Light));
        painter.drawRect(frame.adjusted(1, 1, 0, 0));
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(frame.adjusted(0, 0, -1, -1));
        if (title().isEmpty()) {
            return;
        }
        const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine |
                          (style()->styleHint(QStyle::SH_UnderlineShortcut, nullptr, this) != 0
                               ? Qt::TextShowMnemonic
                               : Qt::TextHideMnemonic);
        constexpr int indent = 7;
        const QRect text = metrics.boundingRect(
            QRect(indent, 0, width() - 2 * indent, metrics.height()), flags, title());
        painter.fillRect(text.adjusted(-1, 0, 1, 0), palette().color(QPalette::Window));
        style()->drawItemText(&painter, text, flags, palette(), isEnabled(), title(),
                              QPalette::WindowText);
    }
};

QWidget* MakeWidget(const WindowRecord& control, QWidget* parent) {
    switch (control.kind) {
    case ControlKind::PushButton: {
        auto* button = new QPushButton(QtCaption(control), parent);
        button->setAutoDefault(false);
        return button;
    }
    case ControlKind::CheckBox:
        return new QCheckBox(QtCaption(control), parent);
    case ControlKind::RadioButton: {
        auto* radio = new QRadioButton(QtCaption(control), parent);
        // The model clears the other buttons of the group itself.
        radio->setAutoExclusive(false);
        return radio;
    }
    case ControlKind::GroupBox: {
        auto* group = new GroupFrame(QtCaption(control), parent);
        // A frame drawn behind other controls: clicks go through it, as on Windows.
        group->setAttribute(Qt::WA_TransparentForMouseEvents);
        return group;
    }
    case ControlKind::Other:
        break;
    }
    auto* label = new QLabel(FromUtf8(control.VisibleCaption()), parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// The virtual key a dialog understands for a Qt key, or 0.
int VirtualKeyOf(int key) {
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VK_TAB;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Space:
        return VK_SPACE;
    default:
        return 0;
    }
}

} // namespace

DialogView::DialogView(HWND dialog, QWidget* ownerView)
    : QWidget(ownerView, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                             Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      dialog_(dialog) {
    setWindowTitle(FromUtf8(dialog->caption));
    if (ownerView != nullptr) {
        setWindowModality(Qt::WindowModal);
    }
    const QFont font = dialog->source != nullptr
                           ? DialogFont(dialog->source->fontFace, dialog->source->fontPoints)
                           : QGuiApplication::font();
    setFont(font);
    const DialogUnits units = UnitsOf(font);
    setFixedSize(units.X(dialog->cx), units.Y(dialog->cy));

    for (const auto& record : dialog->controls) {
        WindowRecord& control = *record;
        QWidget* widget = MakeWidget(control, this);
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            // Qt made the mnemonic an Alt+letter shortcut of its own; the model
            // handles mnemonics, with or without Alt.
            button->setShortcut(QKeySequence());
        }
        // Neither a click nor Tab may move Qt's focus: it follows the model's.
        widget->setFocusPolicy(Qt::NoFocus);
        widget->setGeometry(units.X(control.x), units.Y(control.y), units.X(control.cx),
                            units.Y(control.cy));
        if ((control.style & WS_VISIBLE) == 0) {
            widget->hide();
        }
        widget->installEventFilter(this);
        controls_.emplace_back(&control, widget);
    }
    for (const auto& [control, widget] : controls_) {
        if (control->kind == ControlKind::GroupBox) {
            widget->lower();
        }
    }

    // Where Windows puts a dialog: its template position from the owner's client
    // area, or from the corner of the screen's work area.
    QPoint origin;
    if (ownerView != nullptr) {
        origin = ownerView->mapToGlobal(QPoint(0, 0));
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        origin = screen->availableGeometry().topLeft();
    }
    move(origin + QPoint(units.X(dialog->x), units.Y(dialog->y)));
}

QWidget* DialogView::WidgetFor(HWND control) const {
    for (const auto& [record, widget] : controls_) {
        if (record == control) {
            return widget;
        }
    }
    return nullptr;
}

HWND DialogView::ControlOf(const QObject* widget) const {
    for (const auto& [record, shown] : controls_) {
        if (shown == widget) {
            return record;
        }
    }
    return nullptr;
}

void DialogView::ShowModelState() {
    const HWND defaultButton = DefaultButton(dialog_);
    for (const auto& [control, widget] : controls_) {
        widget->setEnabled(control->enabled);
        auto* button = qobject_cast<QAbstractButton*>(widget);
        if (button == nullptr) {
            continue;
        }
        const QSignalBlocker quiet(button);
        if (button->isCheckable()) {
            button->setChecked(control->check == BST_CHECKED);
        }
        button->setDown(control->pressed || (control == mouseDown_ && mouseInside_));
        if (auto* push = qobject_cast<QPushButton*>(button)) {
            push->setDefault(control == defaultButton);
        }
    }
    QWidget* focus = WidgetFor(dialog_->focus);
    if (focus == nullptr) {
        focus = this;
    }
    if (focusWidget() != focus) {
        focus->setFocus(Qt::OtherFocusReason);
    }
    // Draw the focus rectangle whichever way the focus got there, as a dialog does
    // once the keyboard has been used.
    setAttribute(Qt::WA_KeyboardFocusChange);
}

void DialogView::closeEvent(QCloseEvent* event) {
    // The window stays until the dialog's procedure ends it.
    event->ignore();
    const QPointer<DialogView> alive(this);
    CloseDialog(dialog_);
    if (alive) {
        ShowModelState();
    }
}

bool DialogView::event(QEvent* event) {
    if (OnKeyboard(event)) {
        return true;
    }
    return QWidget::event(event);
}

bool DialogView::eventFilter(QObject* watched, QEvent* event) {
    const HWND control = ControlOf(watched);
    if (control == nullptr) {
        return QWidget::eventFilter(watched, event);
    }
    return OnKeyboard(event) || OnMouse(control, static_cast<QWidget*>(watched), event);
}

bool DialogView::OnKeyboard(QEvent* event) {
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Accepting it keeps Qt's shortcuts (mnemonics among them) from acting; the
        // key then arrives as a KeyPress.
        event->accept();
        return true;
    case QEvent::KeyPress:
        OnKey(static_cast<const QKeyEvent*>(event));
        return true;
    case QEvent::KeyRelease:
        return true;
    default:
        return false;
    }
}

void DialogView::OnKey(const QKeyEvent* event) {
    const int key = event->key();
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const QPointer<DialogView> alive(this);
    const bool alt = (modifiers & Qt::AltModifier) != 0;
    // With Alt held, a key is a mnemonic or nothing: Alt+Space and Alt+Tab belong
    // to the window system, as on Windows.
    if (const int virtualKey = alt ? 0 : VirtualKeyOf(key)) {
        // Holding Space down does not click again and again.
        if (virtualKey == VK_SPACE && event->isAutoRepeat()) {
            return;
        }
        const bool shift = key == Qt::Key_Backtab || (modifiers & Qt::ShiftModifier) != 0;
        PressKey(dialog_, virtualKey, shift);
    } else if ((modifiers & (Qt::ControlModifier | Qt::MetaModifier)) == 0 && key > 0x20 &&
               key < 0x7F) {
        // Qt's key code for a printable ASCII key is the character itself, letters
        // upper-cased; with or without Alt, a dialog takes it as a mnemonic.
        PressMnemonic(dialog_, static_cast<char32_t>(key));
    }
    if (alive) {
        ShowModelState();
    }
}

bool DialogView::OnMouse(HWND control, QWidget* widget, const QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        const auto* mouse = static_cast<const QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            mouseDown_ = control;
            mouseInside_ = true;
            secondClick_ = event->type() == QEvent::MouseButtonDblClick;
            ShowModelState();
        }
        return true;
    }
    case QEvent::MouseMove: {
        const auto* mouse = static_cast<const QMouseEvent*>(event);
        const bool inside = widget->rect().contains(mouse->position().toPoint());
        if (mouseDown_ == control && inside != mouseInside_) {
            mouseInside_ = inside;
            ShowModelState();
        }
        return true;
    }
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<const QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton || mouseDown_ != control) {
            return true;
        }
        // A button clicks when the mouse is let go over it, as on Windows.
        const bool inside = widget->rect().contains(mouse->position().toPoint());
        const bool second = secondClick_;
        mouseDown_ = nullptr;
        secondClick_ = false;
        ShowModelState();
        if (inside) {
            const QPointer<DialogView> alive(this);
            if (second) {
                DoubleClickControl(control);
            } else {
                ClickControl(control);
            }
            if (alive) {
                ShowModelState();
            }
        }
        return true;
    }
    default:
        return false;
    }
}
