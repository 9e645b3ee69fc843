// kivo6's box and file dialog for the first start in the user's own folder; see
// first_run_question.h. The program's dialogs and boxes come after them, unchanged.
#include "frontends/qt/first_run_question.h"

#include "import/language.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QLocale>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QMessageBox>

namespace {

const QString title = QStringLiteral("KIVO6");

QString InOurLanguage(Language language, const char* english, const char* japanese) {
    return QString::fromUtf8(InLanguage(language, english, japanese));
}

} // namespace

QtFirstRunQuestion::QtFirstRunQuestion()
    : FirstRunQuestion(QLocale().language() == QLocale::Japanese ? Language::Japanese
                                                                 : Language::English) {}

FirstRunAnswer QtFirstRunQuestion::Ask(const std::string& question) {
    QMessageBox box(QMessageBox::Question, title, QString::fromStdString(question),
                    QMessageBox::Yes | QMessageBox::Open | QMessageBox::No);
    box.button(QMessageBox::Open)->setText(QString::fromUtf8(OwnHistoryAnswer(language)));
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return FirstRunAnswer::Example;
    case QMessageBox::Open:
        return FirstRunAnswer::OwnHistory;
    default:
        return FirstRunAnswer::Nothing;
    }
}

std::filesystem::path QtFirstRunQuestion::PickHistory() {
    QFileDialog dialog(nullptr,
                       InOurLanguage(language, "Open my own history", "自分の抽せん結果を開く"),
                       QDir::homePath());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({InOurLanguage(language, "Text, CSV (*.txt *.csv *.tsv)",
                                         "テキスト、CSV (*.txt *.csv *.tsv)"),
                           InOurLanguage(language, "All files (*)", "すべてのファイル (*)")});
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString();
}

void QtFirstRunQuestion::Tell(const std::string& text) {
    QMessageBox::warning(nullptr, title, QString::fromStdString(text));
}
