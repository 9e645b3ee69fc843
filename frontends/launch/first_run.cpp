// The first start in the user's own folder: what is asked and what is written; see
// first_run.h. The user's own history is read by import/, as kivo6-check --fix reads it.
#include "frontends/launch/first_run.h"

#include "core/history/history_file.h"
#include "import/history_as_meant.h"
#include "platform/whole_file.h"

#include <cerrno>
#include <system_error>

namespace fs = std::filesystem;

namespace {

std::string QuestionText(const LaunchProgram& program, const fs::path& target, Language l) {
    return Fill(
        InLanguage(l,
                   "There is no data.txt in your KIVO6 folder yet.\n\n"
                   "Copy the example history (150 made-up draws) there, to start with? It will "
                   "be the file\n\n{0}\n\n"
                   "If you keep a history of draws already (a list, or an exported CSV file), "
                   "\"{1}\" writes its draws to that file instead. KIVO6 reads it whenever it "
                   "starts {2}: replace it with your own history whenever you like.",
                   "KIVO6 のフォルダに data.txt がまだありません。\n\n"
                   "お試し用の過去の抽せん結果（架空の 150 回分）を、次のファイルとしてコピー"
                   "しますか？\n\n{0}\n\n"
                   "お手元の抽せん結果（一覧や、書き出した CSV ファイルなど）があれば、「{1}」"
                   "で、その抽せん結果をこのファイルに書き込めます。{2}起動した KIVO6 はこの"
                   "ファイルを読みます。あとからいつでも、ご自分の抽せん結果と置き換えられます。"),
        {target.string(), OwnHistoryAnswer(l),
         program.menuEntry ? InLanguage(l, "from the menu", "メニューから")
                           : InLanguage(l, "with --own-folder", "--own-folder で")});
}

// A refusal as it is told, without the line end that closes it on a console.
std::string WithoutLineEnd(std::string text) {
    while (!text.empty() && text.back() == '\n') {
        text.pop_back();
    }
    return text;
}

// Writes the history in `from` to target: the example as it is, the user's own as --fix
// writes it. False when the file is refused, and nothing is written.
bool WriteHistory(const fs::path& from, bool own, const fs::path& target,
                  FirstRunQuestion& question) {
    const Language l = question.language;
    const std::string name = from.filename().string();
    std::string bytes;
    if (const FileProblem problem = ReadWholeFile(from.c_str(), bytes);
        problem != FileProblem::None) {
        question.Tell(WithoutLineEnd(FormatFileRefusal(name, problem, l)));
        return false;
    }
    if (own) {
        const HistoryAsMeant history = ReadHistoryAsMeant(bytes);
        if (history.refusal != FixRefusal::None) {
            question.Tell(WithoutLineEnd(FormatFixRefusal(name, history, l)));
            return false;
        }
        bytes = FixedHistoryText(history);
    }
    // Made new, flushed: one that appeared meanwhile stays as it is, and a failed write
    // leaves nothing behind.
    if (!WriteNewFile(target.c_str(), bytes)) {
        const std::string reason = std::generic_category().message(errno);
        question.Tell(Fill("{0}\n{1} → {2}:\n{3}",
                           {own ? InLanguage(l, "Your history could not be written.",
                                             "抽せん結果を書き込めませんでした。")
                                : InLanguage(l, "The example history could not be copied.",
                                             "お試し用の抽せん結果をコピーできませんでした。"),
                            from.string(), target.string(), reason}));
    }
    return true;
}

} // namespace

const char* OwnHistoryAnswer(Language language) {
    return InLanguage(language, "Open my own history…", "自分の抽せん結果を開く…");
}

void OfferAHistory(const LaunchProgram& program, FirstRunQuestion& question) {
    std::error_code error;
    // A dangling link counts as there: no write would replace it either.
    if (fs::symlink_status(HISTORY_FILE_NAME, error).type() != fs::file_type::not_found) {
        return;
    }
    const fs::path example = ExampleHistory();
    if (!fs::is_regular_file(example, error)) {
        return;
    }
    const fs::path target = fs::current_path(error) / HISTORY_FILE_NAME;
    const std::string text = QuestionText(program, target, question.language);
    for (;;) {
        const FirstRunAnswer answer = question.Ask(text);
        if (answer == FirstRunAnswer::Nothing) {
            return;
        }
        const bool own = answer == FirstRunAnswer::OwnHistory;
        const fs::path from = own ? question.PickHistory() : example;
        // The example is offered once; the user's own file until one reads whole.
        if (!from.empty() && (WriteHistory(from, own, target, question) || !own)) {
            return;
        }
    }
}
