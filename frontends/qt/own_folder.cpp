// The user's own KIVO6 folder and the first-run offer of the example history; see
// own_folder.h. The question is Qt's own box, in the locale's language (Japanese or
// English); the program's dialogs and boxes come after it, unchanged.
#include "frontends/qt/own_folder.h"

#include "frontends/launch/launch.h"

#include <QtCore/QLocale>
#include <QtCore/QStandardPaths>
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

bool UserWantsExample(const fs::path& target) {
    const QString text =
        Japanese()
            ? QStringLiteral("KIVO6 のフォルダに data.txt がまだありません。\n\n"
                             "お試し用の過去の抽せん結果（架空の 150 回分）を、次のファイル"
                             "としてコピーしますか？\n\n%1\n\n"
                             "ご自分の抽せん結果ができたら、このファイルを置き換えてください。"
                             "メニューから起動した KIVO6 はこのファイルを読みます。")
            : QStringLiteral("There is no data.txt in your KIVO6 folder yet.\n\n"
                             "Copy the example history (150 made-up draws) there, to "
                             "start with? It will be the file\n\n%1\n\n"
                             "Replace that file with your own history of draws when you "
                             "have one: KIVO6 reads it whenever it starts from the menu.");
    return QMessageBox::question(nullptr, QStringLiteral("KIVO6"), text.arg(Path(target)),
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

void OfferExample(const fs::path& target) {
    std::error_code error;
    const fs::path example = ExampleHistory();
    if (!fs::is_regular_file(example, error) || !UserWantsExample(target)) {
        return;
    }
    // Without overwrite the copy creates a new file only (O_EXCL): a data.txt that
    // appeared meanwhile stays as it is.
    if (!fs::copy_file(example, target, fs::copy_options::none, error)) {
        QMessageBox::warning(
            nullptr, QStringLiteral("KIVO6"),
            (Japanese()
                 ? QStringLiteral("お試し用の抽せん結果をコピーできませんでした。\n%1 → %2:\n%3")
                 : QStringLiteral("The example history could not be copied.\n%1 → %2:\n%3"))
                .arg(Path(example), Path(target), QString::fromStdString(error.message())));
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
    // A dangling link counts as there: the copy would not replace it either.
    if (fs::symlink_status("data.txt", error).type() == fs::file_type::not_found) {
        OfferExample(folder / "data.txt");
    }
    return true;
}
