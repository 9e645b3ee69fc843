// Writing a history read as meant over a file; see fix_file.h.
#include "check/fix_file.h"

#include "platform/whole_file.h"

std::string KeepBackup(const std::string& file) {
    // Through a link the backup goes beside the file the link leads to.
    const std::string path = FinalPath(file.c_str());
    std::string backup = path + ".orig";
    for (int number = 1; number < 1000; ++number) {
        if (CopyToNewFile(path.c_str(), backup.c_str())) {
            return backup;
        }
        if (!NameTaken(backup.c_str())) {
            break; // the name was free, and still the copy failed
        }
        backup = path + ".orig." + std::to_string(number);
    }
    return {};
}

FixWritten WriteFixedHistory(const std::string& target, const HistoryAsMeant& history, Language l) {
    auto fail = [&](std::string_view why) {
        return FixWritten{
            2, Fill(InLanguage(l, "{0}: error: {1}\n", "{0}: エラー: {1}\n"), {target, why})};
    };
    std::string backup;
    if (NameTaken(target.c_str()) && (backup = KeepBackup(target)).empty()) {
        return fail(InLanguage(l,
                               "no copy of the original could be kept beside it, so it was not "
                               "replaced",
                               "元のファイルの控えを横に作れなかったため、置き換えていません"));
    }
    if (ReplaceProblem problem = ReplaceFileContents(target.c_str(), FixedHistoryText(history));
        problem != ReplaceProblem::None) {
        return fail(ReplaceProblemText(problem, l) +
                    InLanguage(l, "; the original is as it was", "。元のファイルはそのままです"));
    }
    return {0, FormatFixDone(target, backup, history, l)};
}
