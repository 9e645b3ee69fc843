// kivo6-check started from Explorer; see explorer_start.h. The question is asked only
// where the answer can help: a file KIVO6 refuses or misreads, which --fix can mend.
#include "check/explorer_start.h"

#include "check/fix_file.h"
#include "core/history/history_file.h"
#include "import/history_as_meant.h"

namespace {

bool SaysYes(std::string_view answer) {
    while (!answer.empty() && answer.front() == ' ') {
        answer.remove_prefix(1);
    }
    return answer.starts_with('y') || answer.starts_with('Y') ||
           answer.starts_with("\xEF\xBD\x99") /* full-width y */ ||
           answer.starts_with("\xE3\x81\xAF\xE3\x81\x84") /* hai */;
}

} // namespace

void OfferDataTxtFrom(const HistoryCheck& check, Language l, const ExplorerConsole& console) {
    const bool readAsMeant = check.starts && CausesOf(check.meant.shape).empty();
    const std::string folder = console.programFolder();
    if (readAsMeant || !check.FixReadsIt() || folder.empty()) {
        return;
    }
    console.write(ConsoleStream::Output,
                  InLanguage(l,
                             "\nWrite data.txt from this file in the folder of kivo6-check.exe? "
                             "[y/N] ",
                             "\nこのファイルから data.txt を kivo6-check.exe のフォルダーに"
                             "書き込みますか？ [y/N] "));
    std::string answer;
    if (!console.readLine(answer) || !SaysYes(answer)) {
        return;
    }
    const FixWritten written = WriteFixedHistory(folder + HISTORY_FILE_NAME, check.meant, l);
    console.write(written.status == 0 ? ConsoleStream::Output : ConsoleStream::Error, written.text);
}

void WaitBeforeClosing(Language l, const ExplorerConsole& console) {
    console.write(ConsoleStream::Output,
                  InLanguage(l, "\nPress Enter to close this window.",
                             "\nEnter キーを押すとこのウィンドウを閉じます。"));
    std::string line;
    console.readLine(line);
}
