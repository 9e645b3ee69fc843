// Tests of kivo6's start from the menu entry (--own-folder) on Qt's offscreen platform:
// the first-run question, answered from a timer, and what follows it: the program
// opening on the copied example, its two boxes after No, and an existing data.txt
// left alone without a question.
#include "support/core_fixture.h"

#include "frontends/qt/own_folder.h"
#include "frontends/qt/qt_front_end.h"
#include "history/state.h"
#include "support/program_start.h"

#include <QtCore/QLocale>
#include <QtCore/QTimer>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMessageBox>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string Read(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

class OwnFolderTest : public CoreTest {
  protected:
    void SetUp() override {
        CoreTest::SetUp();
        start_ = fs::current_path();
        QLocale::setDefault(QLocale(QLocale::English));
        SetFrontEnd(&frontEnd_);
    }
    void TearDown() override {
        SetFrontEnd(nullptr);
        fs::current_path(start_);
        qunsetenv("XDG_DATA_HOME");
        qunsetenv("KIVO6_EXAMPLE_HISTORY");
        CoreTest::TearDown();
    }

    // What main does for --own-folder, answering the question with `answer`; what
    // came up, in order: the question, the program's boxes, its main dialog.
    std::vector<std::string> Start(QMessageBox::StandardButton answer) {
        std::vector<std::string> seen;
        QTimer user;
        user.setInterval(10);
        QObject::connect(&user, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                if (box->button(QMessageBox::Yes) != nullptr) {
                    question_ = box->text();
                    seen.push_back("question");
                    box->button(answer)->click();
                } else {
                    seen.push_back("box " + box->text().toStdString());
                    box->accept();
                }
            } else if (HWND dialog = ActiveDialog()) {
                seen.push_back("dialog on " + std::to_string(drawCount) + " draws");
                user.stop();
                EndDialog(dialog, IDOK);
            }
        });
        user.start();
        EXPECT_TRUE(StartInOwnFolder());
        char commandLine[] = "";
        WinMain(ProgramModule(), nullptr, commandLine, 1);
        return seen;
    }

    QtFrontEnd frontEnd_;
    fs::path start_;
    QString question_;
};

TEST_F(OwnFolderTest, AsksBeforeCopyingTheExampleAndNeverReplacesAHistory) {
    const std::string example = HistoryText({{1, 2, 3, 4, 5, 6, 7}, {8, 9, 10, 11, 12, 13, 14}});
    const std::string own = HistoryText({{15, 16, 17, 18, 19, 20, 21}});
    const fs::path examplePath = folder_ / "example.txt";
    std::ofstream(examplePath, std::ios::binary) << example;
    qputenv("KIVO6_EXAMPLE_HISTORY", examplePath.string().c_str());
    const struct {
        const char* name;
        const char* existing; // data.txt in the own folder before the start, if any
        QMessageBox::StandardButton answer;
        std::vector<std::string> seen;
        const char* after; // data.txt after the start, if any
    } cases[] = {
        {"yes", nullptr, QMessageBox::Yes, {"question", "dialog on 2 draws"}, example.c_str()},
        {"no",
         nullptr,
         QMessageBox::No,
         {"question", "box Data Read ERROR", "box ERROR ReadData"},
         nullptr},
        {"existing", own.c_str(), QMessageBox::Yes, {"dialog on 1 draws"}, own.c_str()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ResetToProgramStart();
        question_.clear();
        const fs::path dataHome = folder_ / c.name;
        const fs::path data = dataHome / "kivo6" / "data.txt";
        qputenv("XDG_DATA_HOME", dataHome.string().c_str());
        if (c.existing != nullptr) {
            fs::create_directories(data.parent_path());
            std::ofstream(data, std::ios::binary) << c.existing;
        }
        EXPECT_EQ(Start(c.answer), c.seen);
        EXPECT_EQ(fs::current_path(), data.parent_path());
        if (c.after != nullptr) {
            EXPECT_EQ(Read(data), c.after);
        } else {
            EXPECT_FALSE(fs::exists(data));
        }
        // The question says where the file will be, so the user knows what to replace.
        if (!question_.isEmpty()) {
            EXPECT_TRUE(question_.contains(QString::fromStdString(data.string())))
                << question_.toStdString();
        }
        fs::current_path(start_);
    }
}

} // namespace
