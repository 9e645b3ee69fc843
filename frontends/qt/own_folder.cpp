// The user's own KIVO6 folder and the first-run offer of a history there: the example,
// or the user's own file read as kivo6-check --fix reads it; see own_folder.h. The
// question is Qt's own box, in the locale's language (Japanese or English); the
// program's dialogs and boxes come after it, unchanged.
#include "frontends/qt/own_folder.h"

#include "core/history/history_file.h"
#include "frontends/launch/launch.h"
#include "import/history_as_meant.h"
#include "platform/whole_file.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QLocale>
#include <QtCore/QStandardPaths>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QMessageBox>

#include <filesystem>
#include <iostream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

QString Path(const fs::path& path) {
    return QString::fromStdString(path.string());
}

bool Japanese() {
    return QLocale().language() == QLocale::Japanese;
}

// Yes copies the example, Open reads the user's own history, No writes nothing.
QMessageBox::StandardButton AskForAHistory(const fs::path& target) {
    const QString text =
        Japanese() ? QStringLiteral("KIVO6 のフォルダに data.txt がまだありません。\n\n"
                                    "お試し用の過去の抽せん結果（架空の 150 回分）を、次のファイル"
                                    "としてコピーしますか？\n\n%1\n\n"
                                    "お手元の抽せん結果（一覧や、書き出した CSV ファイルなど）が"
                                    "あれば、「自分の抽せん結果を開く…」で、その抽せん結果をこの"
                                    "ファイルに書き込めます。メニューから起動した KIVO6 はこの"
                                    "ファイルを読みます。あとからいつでも、ご自分の抽せん結果"
                                    "と置き換えられます。")
                   : QStringLiteral("There is no data.txt in your KIVO6 folder yet.\n\n"
                                    "Copy the example history (150 made-up draws) there, to "
                                    "start with? It will be the file\n\n%1\n\n"
                                    "If you keep a history of draws already (a list, or an "
                                    "exported CSV file), \"Open my own history…\" writes its "
                                    "draws to that file instead. KIVO6 reads it whenever it "
                                    "starts from the menu: replace it with your own history "
                                    "whenever you like.");
    QMessageBox box(QMessageBox::Question, QStringLiteral("KIVO6"), text.arg(Path(target)),
                    QMessageBox::Yes | QMessageBox::Open | QMessageBox::No);
    box.button(QMessageBox::Open)
        ->setText(Japanese() ? QStringLiteral("自分の抽せん結果を開く…")
                             : QStringLiteral("Open my own history…"));
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void Warn(const QString& text) {
    QMessageBox::warning(nullptr, QStringLiteral("KIVO6"), text);
}

// A refusal as a box shows it, without the line end that closes it on a console.
void WarnRefused(const std::string& text) {
    Warn(QString::fromStdString(text).trimmed());
}

void CannotWrite(const QString& what, const QString& from, const fs::path& target,
                 const QString& reason) {
    Warn(QStringLiteral("%1\n%2 → %3:\n%4").arg(what, from, Path(target), reason));
}

void CopyExample(const fs::path& example, const fs::path& target) {
    std::error_code error;
    // Without overwrite the copy creates a new file only (O_EXCL): a data.txt that
    // appeared meanwhile stays as it is.
    if (!fs::copy_file(example, target, fs::copy_options::none, error)) {
        CannotWrite(Japanese() ? QStringLiteral("お試し用の抽せん結果をコピーできませんでした。")
                               : QStringLiteral("The example history could not be copied."),
                    Path(example), target, QString::fromStdString(error.message()));
    }
}

// The file the user picks; empty when the dialog is cancelled. Qt's own dialog, not
// the desktop's: the same on every desktop, and one that the tests can answer.
QString PickHistoryFile() {
    QFileDialog dialog(nullptr,
                       Japanese() ? QStringLiteral("自分の抽せん結果を開く")
                                  : QStringLiteral("Open my own history"),
                       QDir::homePath());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(Japanese()
                              ? QStringList{QStringLiteral("テキスト、CSV (*.txt *.csv *.tsv)"),
                                            QStringLiteral("すべてのファイル (*)")}
                              : QStringList{QStringLiteral("Text, CSV (*.txt *.csv *.tsv)"),
                                            QStringLiteral("All files (*)")});
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

// Reads the file the user picks as kivo6-check --fix reads it and writes its draws to
// target, a new file only. False when the question should come back: the dialog was
// cancelled, or the file could not be read, which a box names with the line and the
// reason, and nothing was written.
bool WriteOwnHistory(const fs::path& target) {
    const QString picked = PickHistoryFile();
    if (picked.isEmpty()) {
        return false;
    }
    const Language language = Japanese() ? Language::Japanese : Language::English;
    const std::string name = QFileInfo(picked).fileName().toStdString();
    std::string bytes;
    if (FileProblem problem = ReadWholeFile(QFile::encodeName(picked).constData(), bytes);
        problem != FileProblem::None) {
        WarnRefused(FormatFileRefusal(name, problem, language));
        return false;
    }
    const HistoryAsMeant history = ReadHistoryAsMeant(bytes);
    if (history.refusal != FixRefusal::None) {
        WarnRefused(FormatFixRefusal(name, history, language));
        return false;
    }
    const std::string text = FixedHistoryText(history);
    // NewOnly creates the file or fails (O_EXCL): a data.txt that appeared meanwhile
    // stays as it is. A write that fails takes away the part it wrote.
    QFile file(Path(target));
    const bool created = file.open(QIODevice::WriteOnly | QIODevice::NewOnly);
    if (!created ||
        file.write(text.data(), static_cast<qint64>(text.size())) !=
            static_cast<qint64>(text.size()) ||
        !file.flush()) {
        const QString reason = file.errorString();
        if (created) {
            file.remove();
        }
        CannotWrite(Japanese() ? QStringLiteral("抽せん結果を書き込めませんでした。")
                               : QStringLiteral("Your history could not be written."),
                    picked, target, reason);
    }
    return true;
}

void OfferAHistory(const fs::path& target) {
    std::error_code error;
    const fs::path example = ExampleHistory();
    if (!fs::is_regular_file(example, error)) {
        return;
    }
    for (;;) {
        const QMessageBox::StandardButton answer = AskForAHistory(target);
        if (answer == QMessageBox::Yes) {
            CopyExample(example, target);
        }
        if (answer != QMessageBox::Open || WriteOwnHistory(target)) {
            return;
        }
    }
}

} // namespace

bool StartInOwnFolder() {
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dataHome.isEmpty()) {
        std::cerr << "kivo6: no folder for your data: set HOME or XDG_DATA_HOME\n";
        return false;
    }
    const fs::path folder = fs::path(dataHome.toStdString()) / "kivo6";
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) {
        std::cerr << "kivo6: cannot make " << folder.string() << ": " << error.message() << "\n";
        return false;
    }
    if (!EnterFolder("kivo6", folder, std::cerr)) {
        return false;
    }
    // A dangling link counts as there: no write would replace it either.
    if (fs::symlink_status(HISTORY_FILE_NAME, error).type() == fs::file_type::not_found) {
        OfferAHistory(folder / HISTORY_FILE_NAME);
    }
    return true;
}
