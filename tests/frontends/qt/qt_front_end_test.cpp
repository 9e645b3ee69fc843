// Tests of the Qt front end on Qt's offscreen platform, of what Qt alone can get wrong:
// sizes from dialog units, radio buttons Qt must not group, keys, shortcuts and the
// default button kept from Qt, the message box with Ctrl+C, and kivo6's first-run
// question and file dialog. What the dialogs do with a click or a key is for the dialog
// sessions to test.
#include "support/core_fixture.h"

#include "core/history/state.h"
#include "frontends/qt/first_run_question.h"
#include "frontends/qt/qt_front_end.h"
#include "resources/resource.h"

#include <QtCore/QTimer>
#include <QtGui/QClipboard>
#include <QtGui/QFontDatabase>
#include <QtGui/QFontInfo>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace {

using Commands = std::vector<std::pair<int, int>>; // (identifier, notification)
Commands commands;

// A dialog procedure that only records: "通常" starts checked, Cancel ends the dialog.
INT_PTR CALLBACK RecordingProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        SendMessageA(GetDlgItem(dialog, IDC_MODE_NORMAL), BM_SETCHECK, BST_CHECKED, 0);
        return TRUE;
    }
    if (message == WM_COMMAND) {
        commands.emplace_back(LOWORD(wParam), HIWORD(wParam));
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
        }
    }
    return FALSE;
}

class QtFrontEndTest : public CoreTest {
  protected:
    void SetUp() override {
        CoreTest::SetUp();
        commands.clear();
        SetFrontEnd(&frontEnd_);
    }
    void TearDown() override {
        SetFrontEnd(nullptr);
        CoreTest::TearDown();
    }

    // Runs a dialog of the program's templates; `steps` play once its window is up and
    // must end it (the procedure ends it on Cancel). A dialog left open fails the test
    // and is ended, so a failed step cannot hang it.
    void Run(int id, std::function<void(HWND dialog)> steps) {
        auto open = std::make_shared<bool>(true);
        QTimer::singleShot(0, [steps, open] {
            HWND dialog = ActiveDialog();
            steps(dialog);
            QTimer::singleShot(0, [dialog, open] {
                if (*open && ActiveDialog() == dialog) {
                    ADD_FAILURE() << "the steps left the dialog open";
                    EndDialog(dialog, -2);
                }
            });
        });
        DialogBoxParamA(ProgramModule(), MAKEINTRESOURCEA(id), nullptr, RecordingProc, 0);
        *open = false;
    }

    QWidget* Widget(HWND dialog, int id) const {
        return frontEnd_.WidgetFor(GetDlgItem(dialog, id));
    }

    // Types a key where the keyboard would send it: to the window's focus widget.
    void Type(HWND dialog, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const {
        QWidget* window = frontEnd_.WidgetFor(dialog);
        QTest::keyClick(window->focusWidget() != nullptr ? window->focusWidget() : window, key,
                        modifiers);
    }

    // Qt draws as the default push button the given one alone.
    void ExpectDefaultDrawnOn(HWND dialog, int id) const {
        for (const auto& control : dialog->controls) {
            if (auto* push = qobject_cast<QPushButton*>(frontEnd_.WidgetFor(control.get()))) {
                EXPECT_EQ(push->isDefault(), control.get() == GetDlgItem(dialog, id))
                    << control->caption;
            }
        }
    }

    QtFrontEnd frontEnd_;
};

// IPAPGothic at 9 points and 96 DPI averages 7 pixels across and is 13 high: a dialog
// unit is 7/4 of a pixel across and 13/8 down, rounded to the nearest pixel with halves
// going up.
TEST_F(QtFrontEndTest, DialogUnitsArePixelsOfTheDialogFont) {
    if (!QFontDatabase::hasFamily(QStringLiteral("IPAPGothic"))) {
        GTEST_SKIP() << "fonts-ipafont-gothic is not installed";
    }
    const struct {
        int dialog;
        QSize size;
        int control;
        QRect rect;
    } cases[] = {
        // 247 x 153 units; 終了（&X） at 194, 121, 46 x 23.
        {IDD_MAIN, QSize(432, 249), IDOK, QRect(340, 197, 81, 37)},
        // 242 x 187 units; 前々々回（3回目） at 156, 73, 67 x 10.
        {IDD_SETTINGS, QSize(424, 304), IDC_PAST_3, QRect(273, 119, 117, 16)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dialog);
        Run(c.dialog, [&](HWND dialog) {
            QWidget* window = frontEnd_.WidgetFor(dialog);
            // The template's face, ＭＳ Ｐゴシック, resolves to the installed gothic.
            EXPECT_EQ(QFontInfo(window->font()).family(), QStringLiteral("IPAPGothic"));
            EXPECT_EQ(window->minimumSize(), c.size);
            EXPECT_EQ(window->maximumSize(), c.size);
            EXPECT_EQ(Widget(dialog, c.control)->geometry(), c.rect);
            EndDialog(dialog, 0);
        });
    }
}

// Qt's own radio groups would clear the others themselves and refuse to have none
// checked; the model clears the group, and may leave none checked.
TEST_F(QtFrontEndTest, RadioButtonsShowTheModelsChecksAlone) {
    Run(IDD_MAIN, [&](HWND dialog) {
        const auto shown = [&] {
            const auto checked = [&](int id) {
                return qobject_cast<QRadioButton*>(Widget(dialog, id))->isChecked();
            };
            return std::array{checked(IDC_MODE_NORMAL), checked(IDC_MODE_EVEN),
                              checked(IDC_MODE_ODD)};
        };
        QTest::mouseClick(Widget(dialog, IDC_MODE_EVEN), Qt::LeftButton);
        EXPECT_EQ(shown(), (std::array{false, true, false}));
        SendMessageA(GetDlgItem(dialog, IDC_MODE_ODD), BM_SETCHECK, BST_CHECKED, 0);
        EXPECT_EQ(shown(), (std::array{false, false, true}));
        SendMessageA(GetDlgItem(dialog, IDC_MODE_ODD), BM_SETCHECK, BST_UNCHECKED, 0);
        EXPECT_EQ(shown(), (std::array{false, false, false}));
        // The close box asks the procedure, as Cancel does; Qt does not shut the window.
        frontEnd_.WidgetFor(dialog)->close();
    });
}

// Qt's Alt+letter shortcuts, its focus moves and its default button would act behind
// the model's back: every key goes to the model, and Qt shows what the model decided.
TEST_F(QtFrontEndTest, KeysGoToTheModelAlone) {
    Run(IDD_MAIN, [&](HWND dialog) {
        ExpectDefaultDrawnOn(dialog, IDOK);
        // Qt underlines the mnemonic, and the model alone acts on it, with or without Alt.
        auto* exit = qobject_cast<QPushButton*>(Widget(dialog, IDOK));
        EXPECT_EQ(exit->text(), QStringLiteral("終了（&X）"));
        EXPECT_TRUE(exit->shortcut().isEmpty());
        Type(dialog, Qt::Key_X, Qt::AltModifier);
        Type(dialog, Qt::Key_X);
        EXPECT_EQ(commands, (Commands{{IDOK, BN_CLICKED}, {IDOK, BN_CLICKED}}));
        // Tab onto a push button makes it the default, which Enter presses.
        Type(dialog, Qt::Key_Tab);
        EXPECT_EQ(frontEnd_.WidgetFor(dialog)->focusWidget(), Widget(dialog, IDC_TYPE1));
        ExpectDefaultDrawnOn(dialog, IDC_TYPE1);
        Type(dialog, Qt::Key_Return);
        EXPECT_EQ(commands.back(), (std::pair<int, int>{IDC_TYPE1, BN_CLICKED}));
        Type(dialog, Qt::Key_Escape);
    });
}

TEST_F(QtFrontEndTest, MessageBoxShowsTheTextInColumnsAndCopiesIt) {
    // Two lines of a share table, as the box receives them in UTF-8.
    const QString shares = QStringLiteral("[01]: 12回:  8.0％  [02]:  3回:  2.0％\n"
                                          "[03]: 10回:  6.7％  [04]: 11回:  7.3％\n");
    Run(IDD_MAIN, [&](HWND dialog) {
        // The box runs its own loop: look at it once it is up, and dismiss it.
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            QTimer::singleShot(0, box, [box] {
                if (box->isVisible()) {
                    ADD_FAILURE() << "the box stayed open";
                    box->accept();
                }
            });
            EXPECT_EQ(box->text(), shares);
            EXPECT_EQ(box->windowTitle(), QStringLiteral("Dialog"));
            EXPECT_EQ(box->parentWidget(), frontEnd_.WidgetFor(dialog));
            auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            ASSERT_NE(label, nullptr);
            // Columns line up: a full-width character is two half-width ones, and no
            // line is wrapped.
            const QFontMetrics metrics(label->font());
            EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("回％")),
                      4 * metrics.horizontalAdvance(u'3'));
            EXPECT_GE(label->contentsRect().width(),
                      metrics.horizontalAdvance(shares.section(u'\n', 0, 0)));
            // Ctrl+C copies the whole text, or the selection.
            QTest::keyClick(box->focusWidget() != nullptr ? box->focusWidget() : box, Qt::Key_C,
                            Qt::ControlModifier);
            EXPECT_EQ(QGuiApplication::clipboard()->text(), shares);
            label->setSelection(0, 4);
            QTest::keyClick(label, Qt::Key_C, Qt::ControlModifier);
            EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("[01]"));
            // Space on the text dismisses the box, as on the button.
            QTest::keyClick(label, Qt::Key_Space);
            EXPECT_FALSE(box->isVisible());
        });
        frontEnd_.ShowMessageBox(dialog, "Dialog", shares.toStdString(), MB_ICONWARNING);
        // The box went away and the dialog takes keys again.
        Type(dialog, Qt::Key_Escape);
    });
}

// kivo6's first-run file dialog, Qt's own: the name typed in it, or the dialog
// cancelled. (The box's buttons map to answers in a plain switch.)
TEST(QtFirstRunQuestionTest, TheFileDialogGivesTheNameTypedOrNone) {
    QtFirstRunQuestion question;
    // A name typed where a user types it (this program's, a file that is there), then
    // Enter; or the dialog cancelled.
    const std::filesystem::path picked = QCoreApplication::applicationFilePath().toStdString();
    for (const std::filesystem::path& typed : {picked, std::filesystem::path()}) {
        QTimer::singleShot(0, [typed] {
            auto* name = QApplication::activeModalWidget()->findChild<QLineEdit*>(
                QStringLiteral("fileNameEdit"));
            ASSERT_NE(name, nullptr);
            name->setText(QString::fromStdString(typed.string()));
            QTest::keyClick(name, typed.empty() ? Qt::Key_Escape : Qt::Key_Return);
        });
        EXPECT_EQ(question.PickHistory(), typed);
    }
}

} // namespace

int main(int argc, char* argv[]) {
    // Tests run without a display unless told otherwise.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    // The texts compared are the English ones, whatever the machine's locale.
    QLocale::setDefault(QLocale(QLocale::English));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
