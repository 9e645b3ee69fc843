// Tests of kivo6-check started from Explorer, with a stand-in console that answers as
// a user would: the question about a dropped export, only where --fix can mend what
// KIVO6 would misread, its answers, and the wait for Enter.
#include "check/explorer_start.h"

#include "support/core_fixture.h"

#include <deque>

namespace {

std::deque<std::string> answers;
std::string spoken;
std::filesystem::path programFolder;

bool Answer(std::string& line) {
    if (answers.empty()) {
        return false;
    }
    line = answers.front();
    answers.pop_front();
    return true;
}

const ExplorerConsole USER{[] { return true; }, Answer, [] { return programFolder.string() + "/"; },
                           [](ConsoleStream, std::string_view text) { spoken += text; }};

class ExplorerStartTest : public CoreTest {};

TEST_F(ExplorerStartTest, ADroppedExportIsWrittenAsDataTxtBesideTheProgramOnlyOnYes) {
    const std::string csv = "No,Date,N1,N2,N3,N4,N5,N6,B\n1,2024/01/04,1,2,3,4,5,6,7\n";
    const std::string fixed = "KIVO6\r\n1 2 3 4 5 6 7\r\nEND\r\n";
    const std::string kept = "KIVO\n8 9 10 11 12 13 14\nEND\n";
    const struct {
        const char* why;
        std::string dropped;
        std::string answer;
        bool asked;
        std::string dataTxt; // afterwards; the old one is kept as .orig when replaced
    } cases[] = {
        {"an export, yes", csv, "y", true, fixed},
        {"an export, Japanese yes", csv, "はい", true, fixed},
        {"an export, Enter alone", csv, "", true, kept},
        {"a history KIVO6 reads as meant", "KIVO\n1 2 3 4 5 6 7\nEND\n", "y", false, kept},
        {"a file --fix cannot read either", "dear diary\n", "y", false, kept},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        programFolder = folder_ / "program";
        std::filesystem::remove_all(programFolder);
        std::filesystem::create_directories(programFolder);
        ReplaceFileContents((programFolder / "data.txt").string().c_str(), kept);
        const std::string dropped = WriteHistory(c.dropped).string();
        answers = {c.answer};
        spoken.clear();
        OfferDataTxtFrom(CheckHistoryFile(dropped.c_str()), Language::English, USER);
        EXPECT_EQ(answers.empty(), c.asked);
        EXPECT_EQ(spoken.find("Write data.txt from this file in the folder of "
                              "kivo6-check.exe? [y/N] ") != std::string::npos,
                  c.asked);
        EXPECT_EQ(FileBytes(programFolder / "data.txt"), c.dataTxt);
        EXPECT_EQ(FileBytes(programFolder / "data.txt.orig"), c.dataTxt == kept ? "" : kept);
    }
}

TEST_F(ExplorerStartTest, TheWindowStaysUntilEnter) {
    answers = {"", "more"};
    spoken.clear();
    WaitBeforeClosing(Language::English, USER);
    EXPECT_EQ(spoken, "\nPress Enter to close this window.");
    EXPECT_EQ(answers.size(), 1u);
}

} // namespace
