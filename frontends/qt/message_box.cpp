// The Qt front end's message box. QMessageBox supplies the icon, the button and
// the modal loop; this file adds what the reports need: lines kept whole (Qt would
// wrap a wide text), a fixed-pitch face, Ctrl+C for the text on every platform,
// and Space dismissing the box even while the text has the keyboard.
#include "frontends/qt/message_box.h"

#include "frontends/qt/dialog_fonts.h"

#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>

namespace {

// Keys of the box and of its text: Ctrl+C copies the selection, or the whole text
// when nothing is selected; Space on the text presses OK.
class BoxKeys final : public QObject {
  public:
    BoxKeys(QLabel* label, QPushButton* ok, QString text)
        : label_(label), ok_(ok), text_(std::move(text)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride) {
            return QObject::eventFilter(watched, event);
        }
        const auto* key = static_cast<const QKeyEvent*>(event);
        if (key->matches(QKeySequence::Copy)) {
            if (event->type() == QEvent::KeyPress) {
                const bool selected = label_ != nullptr && label_->hasSelectedText();
                QGuiApplication::clipboard()->setText(selected ? label_->selectedText() : text_);
            }
            event->accept();
            return true;
        }
        if (watched == label_ && event->type() == QEvent::KeyPress && key->key() == Qt::Key_Space &&
            key->modifiers() == Qt::NoModifier) {
            ok_->click();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    QLabel* label_;
    QPushButton* ok_;
    QString text_;
};

} // namespace

void ShowReportBox(QWidget* owner, const std::string& caption, const std::string& text) {
    const QString shownText = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    QMessageBox box(owner);
    box.setIcon(QMessageBox::Warning);
    box.setWindowTitle(QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
    box.setTextFormat(Qt::PlainText);
    box.setText(shownText);
    QPushButton* ok = box.addButton(QMessageBox::Ok);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    // QMessageBox's own label; the name has been the same since Qt 4.
    auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    if (label != nullptr) {
        label->setFont(ReportFont());
        // Reachable with Tab, so the text can be selected without a mouse.
        label->setFocusPolicy(Qt::StrongFocus);
        // QMessageBox wraps a text wider than half the screen, which would break the
        // report's columns; a label at least as wide as its longest line never wraps.
        label->setWordWrap(false);
        label->setMinimumWidth(label->sizeHint().width() +
                               label->fontMetrics().horizontalAdvance(u' '));
    }
    BoxKeys keys(label, ok, shownText);
    box.installEventFilter(&keys);
    if (label != nullptr) {
        label->installEventFilter(&keys);
    }
    ok->setFocus();
    box.exec();
}
