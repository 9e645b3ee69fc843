// Tests of the Qt front end on Qt's offscreen platform: the windows it builds from
// the real dialog templates, and that mouse clicks, keys and the close box reach
// the window model (and through it the dialog procedure) while Qt itself acts on
// none of them; and the message box.
#include "support/core_fixture.h"

#include "frontends/qt/qt_front_end.h"
#include "resources/resource.h"

#include <QtCore/QTimer>
#include <QtGui/QClipboard>
#include <QtGui/QFontDatabase>
#include <QtGui/QFontInfo>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>

#include <filesystem>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace {

std::vector<std::pair<int, int>> commands; // (identifier, notification) of each WM_COMMAND

// A dialog procedure that only records: "通常" starts checked, Escape ends the dialog.
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

const DialogTemplate& TemplateOf(int id) {
    for (const DialogTemplate& dialog : ProgramModule()->dialogs) {
        if (dialog.id == id) {
            return dialog;
        }
    }
    ADD_FAILURE() << "no template " << id;
    return ProgramModule()->dialogs.front();
}

// The caption as Qt draws it: '&' marks the next character, "&&" is one '&'.
QString QtShown(const QString& text) {
    QString shown;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && ++i == text.size()) {
            break;
        }
        shown += text[i];
    }
    return shown;
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

    // Runs a dialog of the program's templates; `steps` play once its window is up.
    // Whatever `steps` leave open is ended, so a failed step cannot hang the test.
    INT_PTR Run(int id, DLGPROC procedure, std::function<void(HWND dialog)> steps) {
        auto open = std::make_shared<bool>(true);
        QTimer::singleShot(0, [steps, open] {
            HWND dialog = ActiveDialog();
            steps(dialog);
            // A close posted by the steps has been delivered by the time Qt's loop
            // runs again.
            QTimer::singleShot(0, [dialog, open] {
                if (*open && ActiveDialog() == dialog) {
                    ADD_FAILURE() << "the steps left the dialog open";
                    EndDialog(dialog, -2);
                }
            });
        });
        const INT_PTR result =
            DialogBoxParamA(ProgramModule(), MAKEINTRESOURCEA(id), nullptr, procedure, 0);
        *open = false;
        return result;
    }

    // Once a message box is up (polled, as the box runs its own loop), `check` looks
    // at it and must dismiss it.
    static void WhenBoxIsUp(std::function<void(QMessageBox*)> check, int triesLeft = 500) {
        QTimer::singleShot(10, [check, triesLeft] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                check(box);
                if (box->isVisible()) {
                    ADD_FAILURE() << "the check left the box open";
                    box->accept();
                }
            } else if (triesLeft > 0) {
                WhenBoxIsUp(check, triesLeft - 1);
            } else {
                ADD_FAILURE() << "no message box came up";
            }
        });
    }

    QWidget* Widget(HWND dialog, int id) const {
        return frontEnd_.WidgetFor(GetDlgItem(dialog, id));
    }
    template <typename Kind>
    Kind* As(HWND dialog, int id) const {
        return qobject_cast<Kind*>(Widget(dialog, id));
    }

    // Types a key where the keyboard would send it: to the window's focus widget.
    void Type(HWND dialog, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const {
        QWidget* window = frontEnd_.WidgetFor(dialog);
        QTest::keyClick(window->focusWidget() != nullptr ? window->focusWidget() : window, key,
                        modifiers);
    }

    // Qt's focus is the model's.
    void ExpectFocusOn(HWND dialog, int id) const {
        EXPECT_EQ(dialog->focus, GetDlgItem(dialog, id));
        EXPECT_EQ(frontEnd_.WidgetFor(dialog)->focusWidget(), Widget(dialog, id));
    }

    // Exactly one push button is drawn as the default: the model's.
    void ExpectDefaultAsTheModelSays(HWND dialog) const {
        int drawnAsDefault = 0;
        for (const auto& control : dialog->controls) {
            if (auto* button = qobject_cast<QPushButton*>(frontEnd_.WidgetFor(control.get()))) {
                EXPECT_EQ(button->isDefault(), control.get() == DefaultButton(dialog))
                    << control->caption;
                drawnAsDefault += button->isDefault() ? 1 : 0;
            }
        }
        EXPECT_EQ(drawnAsDefault, 1);
    }

    QtFrontEnd frontEnd_;
};

TEST_F(QtFrontEndTest, WindowsMatchTheirTemplates) {
    if (!QFontDatabase::hasFamily(QStringLiteral("IPAPGothic"))) {
        GTEST_SKIP() << "fonts-ipafont-gothic is not installed";
    }
    for (const int id : {IDD_MAIN, IDD_SETTINGS}) {
        SCOPED_TRACE(id);
        const DialogTemplate& source = TemplateOf(id);
        Run(id, RecordingProc, [&](HWND dialog) {
            QWidget* window = frontEnd_.WidgetFor(dialog);
            ASSERT_NE(window, nullptr);
            EXPECT_EQ(window->windowTitle().toStdString(), source.caption);
            EXPECT_TRUE(window->windowFlags() & Qt::WindowCloseButtonHint);
            EXPECT_FALSE(window->windowFlags() &
                         (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));

            // The template's face resolves to the installed Japanese gothic.
            const QFont font(QString::fromStdString(source.fontFace), source.fontPoints);
            EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("IPAPGothic"));
            // IPAPGothic at 9 points and 96 DPI averages 7 pixels across and is 13
            // high: a dialog unit is 7/4 of a pixel across and 13/8 down, rounded to
            // the nearest pixel with halves going up.
            EXPECT_EQ(window->minimumSize(), window->maximumSize());
            EXPECT_EQ(window->size(), id == IDD_MAIN ? QSize(432, 249) : QSize(424, 304));
            // 終了（&X） at 194, 121, 46 x 23 units; OK at 119, 166, 50 x 14.
            EXPECT_EQ(Widget(dialog, IDOK)->geometry(),
                      id == IDD_MAIN ? QRect(340, 197, 81, 37) : QRect(208, 270, 88, 23));
            // 詳細設定 at 18, 109, 36 x 14; 前々々回（3回目） at 156, 73, 67 x 10.
            EXPECT_EQ(Widget(dialog, id == IDD_MAIN ? IDC_SETTINGS : IDC_PAST_3)->geometry(),
                      id == IDD_MAIN ? QRect(32, 177, 63, 23) : QRect(273, 119, 117, 16));

            const auto children = window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
            EXPECT_EQ(children.size(), static_cast<qsizetype>(source.controls.size()));
            for (const auto& control : dialog->controls) {
                SCOPED_TRACE(control->caption);
                QWidget* widget = frontEnd_.WidgetFor(control.get());
                ASSERT_NE(widget, nullptr);
                QString text;
                switch (control->kind) {
                case ControlKind::PushButton:
                    ASSERT_NE(qobject_cast<QPushButton*>(widget), nullptr);
                    break;
                case ControlKind::CheckBox:
                    ASSERT_NE(qobject_cast<QCheckBox*>(widget), nullptr);
                    break;
                case ControlKind::RadioButton:
                    ASSERT_NE(qobject_cast<QRadioButton*>(widget), nullptr);
                    break;
                case ControlKind::GroupBox:
                    ASSERT_NE(qobject_cast<QGroupBox*>(widget), nullptr);
                    text = qobject_cast<QGroupBox*>(widget)->title();
                    break;
                case ControlKind::Other:
                    ADD_FAILURE() << "the templates have only buttons and group boxes";
                    break;
                }
                if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
                    text = button->text();
                }
                EXPECT_EQ(QtShown(text).toStdString(), control->VisibleCaption());
            }
            // The mnemonic reaches Qt, which underlines it.
            EXPECT_EQ(qobject_cast<QPushButton*>(Widget(dialog, IDOK))->text(),
                      id == IDD_MAIN ? QStringLiteral("終了（&X）") : QStringLiteral("OK"));
            EndDialog(dialog, 0);
        });
    }
}

TEST_F(QtFrontEndTest, MouseClicksGoThroughTheModel) {
    Run(IDD_MAIN, RecordingProc, [&](HWND dialog) {
        HWND exclude = GetDlgItem(dialog, IDC_EXCLUDE_PREVIOUS);
        auto* box = As<QCheckBox>(dialog, IDC_EXCLUDE_PREVIOUS);
        QTest::mouseClick(box, Qt::LeftButton);
        EXPECT_EQ(commands.back(), std::make_pair(IDC_EXCLUDE_PREVIOUS, BN_CLICKED));
        EXPECT_EQ(exclude->check, BST_CHECKED);
        EXPECT_TRUE(box->isChecked());
        ExpectFocusOn(dialog, IDC_EXCLUDE_PREVIOUS);
        QTest::mouseClick(box, Qt::LeftButton);
        EXPECT_EQ(exclude->check, BST_UNCHECKED);
        EXPECT_FALSE(box->isChecked());

        // The model clears the group; Qt must not keep a second radio checked.
        QTest::mouseClick(Widget(dialog, IDC_MODE_EVEN), Qt::LeftButton);
        EXPECT_EQ(GetDlgItem(dialog, IDC_MODE_EVEN)->check, BST_CHECKED);
        EXPECT_TRUE(As<QRadioButton>(dialog, IDC_MODE_EVEN)->isChecked());
        EXPECT_FALSE(As<QRadioButton>(dialog, IDC_MODE_NORMAL)->isChecked());

        // A state the procedure sets shows without any input.
        SendMessageA(GetDlgItem(dialog, IDC_MODE_ODD), BM_SETCHECK, BST_CHECKED, 0);
        EXPECT_TRUE(As<QRadioButton>(dialog, IDC_MODE_ODD)->isChecked());
        EXPECT_FALSE(As<QRadioButton>(dialog, IDC_MODE_EVEN)->isChecked());
        // No radio button checked at all is a state Qt's own groups refuse.
        SendMessageA(GetDlgItem(dialog, IDC_MODE_ODD), BM_SETCHECK, BST_UNCHECKED, 0);
        EXPECT_FALSE(As<QRadioButton>(dialog, IDC_MODE_ODD)->isChecked());

        // The push button the model names as default is the one drawn so.
        QTest::mouseClick(Widget(dialog, IDC_HISTORY), Qt::LeftButton);
        EXPECT_EQ(commands.back(), std::make_pair(IDC_HISTORY, BN_CLICKED));
        ExpectDefaultAsTheModelSays(dialog);

        // Let go outside the button: no click.
        const std::size_t before = commands.size();
        QWidget* probability = Widget(dialog, IDC_PROBABILITY);
        QTest::mousePress(probability, Qt::LeftButton);
        QTest::mouseRelease(probability, Qt::LeftButton, {}, QPoint(-5, -5));
        EXPECT_EQ(commands.size(), before);

        // The second click of a double click on the BS_NOTIFY button is reported as such.
        QWidget* type1 = Widget(dialog, IDC_TYPE1);
        QTest::mouseClick(type1, Qt::LeftButton);
        QTest::mouseDClick(type1, Qt::LeftButton);
        QTest::mouseRelease(type1, Qt::LeftButton);
        ASSERT_GE(commands.size(), 2U);
        EXPECT_EQ(commands[commands.size() - 2], std::make_pair(IDC_TYPE1, BN_CLICKED));
        EXPECT_EQ(commands.back(), std::make_pair(IDC_TYPE1, BN_DOUBLECLICKED));
        EndDialog(dialog, 0);
    });
}

TEST_F(QtFrontEndTest, KeysGoThroughTheModel) {
    const INT_PTR result = Run(IDD_MAIN, RecordingProc, [&](HWND dialog) {
        ExpectFocusOn(dialog, IDOK);
        QTest::mouseClick(Widget(dialog, IDC_EXCLUDE_PREVIOUS), Qt::LeftButton);
        // Tab goes to the checked radio button, which is not next in Qt's own order.
        Type(dialog, Qt::Key_Tab);
        ExpectFocusOn(dialog, IDC_MODE_NORMAL);
        Type(dialog, Qt::Key_Down);
        ExpectFocusOn(dialog, IDC_MODE_EVEN);
        EXPECT_TRUE(As<QRadioButton>(dialog, IDC_MODE_EVEN)->isChecked());
        EXPECT_FALSE(As<QRadioButton>(dialog, IDC_MODE_NORMAL)->isChecked());
        Type(dialog, Qt::Key_Backtab, Qt::ShiftModifier);
        ExpectFocusOn(dialog, IDC_EXCLUDE_PREVIOUS);
        Type(dialog, Qt::Key_Space);
        EXPECT_FALSE(As<QCheckBox>(dialog, IDC_EXCLUDE_PREVIOUS)->isChecked());
        EXPECT_EQ(commands.back(), std::make_pair(IDC_EXCLUDE_PREVIOUS, BN_CLICKED));

        // The mnemonic, with and without Alt, goes to the model alone: Qt's own
        // Alt+letter shortcut would act behind its back.
        for (const auto& control : dialog->controls) {
            if (auto* button = qobject_cast<QAbstractButton*>(frontEnd_.WidgetFor(control.get()))) {
                EXPECT_TRUE(button->shortcut().isEmpty()) << control->caption;
            }
        }
        commands.clear();
        Type(dialog, Qt::Key_X, Qt::AltModifier);
        Type(dialog, Qt::Key_X);
        const std::vector<std::pair<int, int>> exitTwice{{IDOK, BN_CLICKED}, {IDOK, BN_CLICKED}};
        EXPECT_EQ(commands, exitTwice);
        ExpectFocusOn(dialog, IDOK);
        // Tab onto a push button makes it the default, which Enter presses.
        Type(dialog, Qt::Key_Tab);
        ExpectFocusOn(dialog, IDC_TYPE1);
        ExpectDefaultAsTheModelSays(dialog);
        EXPECT_EQ(DefaultButton(dialog), GetDlgItem(dialog, IDC_TYPE1));
        Type(dialog, Qt::Key_Return);
        EXPECT_EQ(commands.back(), std::make_pair(IDC_TYPE1, BN_CLICKED));
        Type(dialog, Qt::Key_Escape);
    });
    EXPECT_EQ(result, IDCANCEL);
}

TEST_F(QtFrontEndTest, TheCloseBoxOfTheLastWindowEndsTheProgram) {
    std::filesystem::copy_file(KIVO6_EXAMPLE_HISTORY, folder_ / "data.txt");
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(folder_);
    QTimer::singleShot(0, [this] {
        QWidget* window = frontEnd_.WidgetFor(ActiveDialog());
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->windowTitle(), QStringLiteral("KIVO6"));
        window->close();
    });
    char commandLine[] = "";
    EXPECT_EQ(WinMain(ProgramModule(), nullptr, commandLine, 1), 0);
    std::filesystem::current_path(previous);
    EXPECT_EQ(ActiveDialog(), nullptr);
    for (QWidget* window : QApplication::topLevelWidgets()) {
        EXPECT_FALSE(window->isVisible()) << window->windowTitle().toStdString();
    }
}

TEST_F(QtFrontEndTest, MessageBoxShowsTheTextSelectablyInColumns) {
    // Two lines of a share table, as the box receives them in UTF-8.
    const QString shares = QStringLiteral("[01]: 12回:  8.0％  [02]:  3回:  2.0％\n"
                                          "[03]: 10回:  6.7％  [04]: 11回:  7.3％\n");
    const INT_PTR result = Run(IDD_MAIN, RecordingProc, [&](HWND dialog) {
        WhenBoxIsUp([&](QMessageBox* box) {
            EXPECT_EQ(box->text(), shares);
            EXPECT_EQ(box->windowTitle(), QStringLiteral("Dialog"));
            EXPECT_EQ(box->icon(), QMessageBox::Warning);
            ASSERT_EQ(box->buttons().size(), 1);
            EXPECT_EQ(box->standardButton(box->buttons().front()), QMessageBox::Ok);
            EXPECT_EQ(box->textFormat(), Qt::PlainText);
            EXPECT_EQ(box->parentWidget(), frontEnd_.WidgetFor(dialog));
            auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            ASSERT_NE(label, nullptr);
            // Columns line up: a full-width character is two half-width ones, and
            // no line is wrapped.
            const QFontMetrics metrics(label->font());
            EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("回％")),
                      4 * metrics.horizontalAdvance(u'3'));
            for (const QString& line : shares.split(u'\n')) {
                EXPECT_GE(label->contentsRect().width(), metrics.horizontalAdvance(line));
            }
            // Ctrl+C copies the whole text, or the selection.
            QTest::keyClick(box->focusWidget() != nullptr ? box->focusWidget() : box, Qt::Key_C,
                            Qt::ControlModifier);
            EXPECT_EQ(QGuiApplication::clipboard()->text(), shares);
            label->setSelection(0, 4);
            QTest::keyClick(label, Qt::Key_C, Qt::ControlModifier);
            EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("[01]"));
            // Space on the text dismisses the box, as on the button.
            QTest::keyClick(label, Qt::Key_Space);
        });
        frontEnd_.ShowMessageBox(dialog, "Dialog", shares.toStdString(), MB_ICONWARNING);
        // The box went away and the dialog takes input again.
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        Type(dialog, Qt::Key_Escape);
    });
    EXPECT_EQ(result, IDCANCEL);
}

TEST_F(QtFrontEndTest, LongReportsFitTheScreen) {
    std::string text;
    for (int line = 1; line <= 45; ++line) {
        text += "No." + std::to_string(line) + " : [01][02][03][04][05][06]:[07]\n";
    }
    WhenBoxIsUp([](QMessageBox* box) {
        // 768 pixels less a generous title bar.
        EXPECT_LE(box->height(), 768 - 40);
        box->accept();
    });
    frontEnd_.ShowMessageBox(nullptr, "Dialog", text, MB_ICONWARNING);
}

} // namespace

int main(int argc, char* argv[]) {
    // Tests run without a display unless told otherwise.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
