// kivo6-tty's question for the first start in the user's own folder; see
// first_run_question.h. The question's text is the one kivo6's box shows.
#include "frontends/tty/first_run_question.h"

#include "import/language.h"

#include <cstdlib>
#include <istream>
#include <ostream>
#include <utility>

TerminalFirstRunQuestion::TerminalFirstRunQuestion(std::istream& in, std::ostream& out,
                                                   Language spoken, std::filesystem::path startedIn)
    : FirstRunQuestion(spoken), in_(in), out_(out), startedIn_(std::move(startedIn)) {}

bool TerminalFirstRunQuestion::ReadAnswer(std::string& answer) {
    if (!std::getline(in_, answer)) {
        // The prompt's line is left open; the next text starts on a line of its own.
        out_ << "\n";
        return false;
    }
    answer.erase(0, answer.find_first_not_of(" \t"));
    answer.erase(answer.find_last_not_of(" \t\r") + 1);
    return true;
}

FirstRunAnswer TerminalFirstRunQuestion::Ask(const std::string& question) {
    out_ << "\n" << question << "\n\n";
    std::string answer;
    for (;;) {
        out_ << Fill(InLanguage(language, "Yes (y), {0} (o), or No (n)? [Y/o/n] ",
                                "はい (y)、{0} (o)、いいえ (n)？ [Y/o/n] "),
                     {OwnHistoryAnswer(language)})
             << std::flush;
        if (!ReadAnswer(answer)) {
            return FirstRunAnswer::Nothing;
        }
        switch (answer.empty() ? 'y' : answer.front()) {
        case 'y':
        case 'Y':
            return FirstRunAnswer::Example;
        case 'o':
        case 'O':
            return FirstRunAnswer::OwnHistory;
        case 'n':
        case 'N':
            return FirstRunAnswer::Nothing;
        default:
            break;
        }
    }
}

std::filesystem::path TerminalFirstRunQuestion::PickHistory() {
    out_ << InLanguage(language, "Your history's file (Enter alone goes back): ",
                       "抽せん結果のファイル（Enter だけで戻ります）: ")
         << std::flush;
    std::string path;
    if (!ReadAnswer(path) || path.empty()) {
        return {};
    }
    if (path.size() > 1 && (path.front() == '\'' || path.front() == '"') &&
        path.back() == path.front()) {
        path = path.substr(1, path.size() - 2);
    }
    const char* home = std::getenv("HOME");
    if (path.starts_with("~/") && home != nullptr) {
        return std::filesystem::path(home) / path.substr(2);
    }
    // An absolute path stays as it is.
    return startedIn_ / path;
}

void TerminalFirstRunQuestion::Tell(const std::string& text) {
    out_ << text << "\n";
}
