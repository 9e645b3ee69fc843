// kivo6-check: tells a user how KIVO6 will read their data.txt, what its Type 1 picks
// would have been worth on it, and what their tickets won. Reads the command line,
// runs one command, and writes the result in the language of the user's locale.
#include "check/backtest.h"
#include "check/explorer_start.h"
#include "check/fix_file.h"
#include "check/history_add.h"
#include "check/history_check.h"
#include "check/progress.h"
#include "check/ticket_prizes.h"
#include "core/history/history_file.h"
#include "import/history_as_meant.h"
#include "platform/console.h"
#include "platform/whole_file.h"

#include <charconv>
#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

struct CommandLine {
    bool help = false;
    bool version = false;
    bool backtest = false;
    BacktestSettings settings;
    std::string file = HISTORY_FILE_NAME;
    bool fileNamed = false; // FILE was given, as when a file is dropped on the program
    bool fix = false;
    std::string output; // --fix writes here, when named
    bool add = false;
    std::string draw;    // the draw --add adds, as typed
    std::string tickets; // --tickets reads them here; "-" for standard input
    int drawBack = 1;    // --draw K: the K-th latest draw, 1 the latest
    bool drawNamed = false;
    bool allDraws = false; // --all
    std::string problem;   // why the command line cannot be used, if it cannot
};

// In the layout help2man reads: usage lines, a description, then the options
// indented, so that the manual page is made from this text alone.
std::string Usage(Language l) {
    return InLanguage(
        l,
        "Usage: kivo6-check [FILE]\n"
        "  or:  kivo6-check --backtest [N] [--seeds COUNT] [--first-seed SECOND] [FILE]\n"
        "  or:  kivo6-check --fix [FILE] [--output OUT]\n"
        "  or:  kivo6-check --add DRAW [FILE]\n"
        "  or:  kivo6-check --tickets TICKETS [--draw K | --all] [FILE]\n"
        "\n"
        "Reads FILE (data.txt when none is named) exactly as KIVO6 does and reports, with\n"
        "line and column, everything it would read other than its writer meant: a missing\n"
        "KIVO marker, tabs or other characters inside numbers, tokens read as 0, values\n"
        "outside 1 to 43, numbers repeated in a draw, draws split over lines, an incomplete\n"
        "last draw, text after END, a missing END, long lines; and, once for the file,\n"
        "what kind of file it is when that is the cause. KIVO6 uses the newest 256 draws\n"
        "of a longer file; a note says so. FILE may hold up to 4 MB.\n"
        "Exit status: 0 the file is clean, 1 KIVO6 reads it with warnings, 2 KIVO6 would\n"
        "refuse it, 64 the command line is wrong.\n"
        "\n"
        "Options:\n"
        "  --backtest [N]  for each of the latest N draws (100), makes KIVO6's Type 1\n"
        "                  lines from the draws before it and counts how many numbers\n"
        "                  they hit, beside the exact figures of a fair draw. Exit\n"
        "                  status 0, or 2 when KIVO6 would refuse the file.\n"
        "  --seeds COUNT   Type 1 requests per tested draw (10000)\n"
        "  --first-seed S  the clock second of the first request (1)\n"
        "  --fix           reads FILE as its keeper meant it, an export too (CSV, tabs or\n"
        "                  semicolons; UTF-8, UTF-16 or Shift_JIS; draw numbers and\n"
        "                  dates; newest first; a header row) and writes it as a data.txt\n"
        "                  that KIVO6 reads as exactly those draws, every one of them. FILE\n"
        "                  is replaced, the original kept as FILE.orig (or FILE.orig.1,\n"
        "                  ...). Exit status 0 when written, 2 when a line cannot be read\n"
        "                  as a draw (it is named; nothing is written then).\n"
        "  --output OUT    with --fix: writes the new file OUT and leaves FILE as it is\n"
        "  --add DRAW      adds the newest draw, six main numbers and the bonus\n"
        "                  (\"5 9 17 28 30 37 27\", \"5,9,17,28,30,37+27\"), on a line before\n"
        "                  END. FILE must be one KIVO6 reads without a warning, and DRAW\n"
        "                  not its latest draw already. The file as it was is kept as\n"
        "                  FILE.prev, replaced at each --add. Exit status 0 when written,\n"
        "                  2 when refused (nothing is written then).\n"
        "  --tickets TICKETS\n"
        "                  the prize tier (1等 to 5等) of each ticket in TICKETS, one a\n"
        "                  line: six numbers, read as --fix reads them; KIVO6's result\n"
        "                  boxes may be pasted as they are copied. Against the latest\n"
        "                  draw of FILE. TICKETS \"-\" reads standard input (on Windows,\n"
        "                  up to Ctrl+Z and Enter). Exit status 0, 1 when a line is not\n"
        "                  a ticket (it is named), 2 when KIVO6 would refuse FILE.\n"
        "  --draw K        with --tickets: against the K-th latest draw (1: the latest)\n"
        "  --all           with --tickets: how often each ticket won each tier over\n"
        "                  every draw of FILE, beside what a fair draw gives\n"
        "  --help          this text\n"
        "  --version       the version of KIVO6 this program belongs to\n",
        "使い方: kivo6-check [ファイル]\n"
        "  または: kivo6-check --backtest [N] [--seeds 回数] [--first-seed 秒] [ファイル]\n"
        "  または: kivo6-check --fix [ファイル] [--output 出力先]\n"
        "  または: kivo6-check --add 抽選 [ファイル]\n"
        "  または: kivo6-check --tickets 券ファイル [--draw K | --all] [ファイル]\n"
        "\n"
        "ファイル（省略時は data.txt）を KIVO6 とまったく同じように読み、書き手の意図と\n"
        "違って読まれる箇所を行と桁で示します: KIVO の目印がない、数値の中のタブなどの\n"
        "文字、0 と読まれる語、1～43 の範囲外の値、抽選内で重複する数字、行をまたぐ抽選、\n"
        "不完全な最後の抽選、END の後の文字、END がない、長すぎる行。\n"
        "原因がファイルの種類にあるときは、それをファイルごとに 1 度示します。\n"
        "256 回分より長いファイルでは KIVO6 は最新の 256 回分を使い、注記でそう示します。\n"
        "ファイルは 4 MB まで読めます。\n"
        "終了ステータス: 0 問題なし、1 警告あり（KIVO6 は読み込む）、2 KIVO6 が拒否する、\n"
        "64 コマンドラインの誤り。\n"
        "\n"
        "オプション:\n"
        "  --backtest [N]  最新の N 回（100）の各抽選について、それより前の抽選だけから\n"
        "                  KIVO6 の Type 1 の行を作り、当たった数字の数を公平な抽選の\n"
        "                  正確な値と並べて示します。終了ステータスは 0、KIVO6 が\n"
        "                  ファイルを拒否するときは 2。\n"
        "  --seeds 回数    抽選 1 回あたりの Type 1 の要求の数（10000）\n"
        "  --first-seed 秒 最初の要求の時刻（秒）（1）\n"
        "  --fix           ファイルを書き手の意図どおりに読み（CSV・タブ・セミコロン区切り、\n"
        "                  UTF-8・UTF-16・Shift_JIS、回号や日付つき、新しい順、見出しの\n"
        "                  行のあるエクスポートも）、KIVO6 がそのとおりの抽選（すべての\n"
        "                  抽選）を読む data.txt として書き込みます。ファイルは置き\n"
        "                  換え、元のファイルは ファイル.orig（または .orig.1 など）と\n"
        "                  して残します。終了ステータス: 0 書き込んだ、2 抽選として\n"
        "                  読めない行がある（その行を示し、何も書き込みません）。\n"
        "  --output 出力先 --fix と併用: 新しいファイルを出力先に書き込み、元のファイルは\n"
        "                  そのまま残します\n"
        "  --add 抽選      最新の抽選（本数字 6 個とボーナス数字。\"5 9 17 28 30 37 27\"、\n"
        "                  \"5,9,17,28,30,37+27\" など）を END の前の行に追加します。\n"
        "                  ファイルは KIVO6 が警告なしで読めるもので、抽選はその最新の\n"
        "                  抽選と違うものに限ります。追加前のファイルは ファイル.prev\n"
        "                  として残します（--add のたびに置き換え）。終了ステータス:\n"
        "                  0 書き込んだ、2 断った（何も書き込みません）。\n"
        "  --tickets 券ファイル\n"
        "                  券ファイルの各券（1 行に 1 枚。6 個の数字を --fix と同じように\n"
        "                  読みます。KIVO6 の結果のボックスはコピーしたまま貼り付けられ\n"
        "                  ます）の等級（1等～5等）を、ファイルの最新の抽選と照合します。\n"
        "                  「-」なら標準入力から読みます（Windows では Ctrl+Z と Enter\n"
        "                  まで）。終了ステータス: 0、券でない行があれば 1（その行を\n"
        "                  示します）、KIVO6 がファイルを拒否するときは 2。\n"
        "  --draw K        --tickets と併用: 最新から K 回目の抽選と照合（1 が最新）\n"
        "  --all           --tickets と併用: ファイルの全抽選で各券が各等級に当たった\n"
        "                  回数を、公正な抽選の期待値と並べて示します\n"
        "  --help          この説明\n"
        "  --version       この版の KIVO6 の版数\n");
}

template <typename Number>
bool ParseNumber(std::string_view text, Number& number) {
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, number);
    return error == std::errc{} && stop == end && !text.empty();
}

bool AllDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// --fix, or --output and its file name; how many arguments after it were used.
int ReadFixOption(std::string_view option, std::string_view next, bool hasNext,
                  CommandLine& command, Language l) {
    if (option == "--fix") {
        command.fix = true;
        return 0;
    }
    if (!hasNext || next.empty()) {
        command.problem = InLanguage(l, "--output needs a file name",
                                     "--output には出力先のファイル名を指定してください");
    }
    command.output = next;
    return 1;
}

// What --tickets, --add and --fix cannot be combined with.
std::string CombinationProblem(const CommandLine& command, Language l) {
    if (!command.tickets.empty() && (command.fix || command.add || command.backtest)) {
        return Fill(InLanguage(l, "--tickets cannot be used with {0}",
                               "--tickets は {0} と同時に使えません"),
                    {command.fix   ? "--fix"
                     : command.add ? "--add"
                                   : "--backtest"});
    }
    if (command.tickets.empty() && (command.drawNamed || command.allDraws)) {
        return Fill(InLanguage(l, "{0} goes with --tickets", "{0} は --tickets と一緒に使います"),
                    {command.allDraws ? "--all" : "--draw"});
    }
    if (command.drawNamed && command.allDraws) {
        return InLanguage(l, "--draw and --all cannot be used together",
                          "--draw と --all は同時に使えません");
    }
    if (command.add && (command.fix || command.backtest || !command.output.empty())) {
        return Fill(
            InLanguage(l, "--add cannot be used with {0}", "--add は {0} と同時に使えません"),
            {command.fix        ? "--fix"
             : command.backtest ? "--backtest"
                                : "--output"});
    }
    if (command.fix && command.backtest) {
        return InLanguage(l, "--fix and --backtest cannot be used together",
                          "--fix と --backtest は同時に使えません");
    }
    if (!command.fix && !command.output.empty()) {
        return InLanguage(l, "--output goes with --fix", "--output は --fix と一緒に使います");
    }
    return {};
}

CommandLine ReadCommandLine(int argc, char** argv, Language l) {
    CommandLine command;
    bool fileNamed = false;
    std::string_view backtestOption; // --seeds or --first-seed, which only a backtest uses
    for (int at = 1; at < argc; ++at) {
        std::string_view argument = argv[at];
        std::string_view next = at + 1 < argc ? argv[at + 1] : "";
        if (argument == "--help" || argument == "-h") {
            command.help = true;
        } else if (argument == "--version") {
            command.version = true;
        } else if (argument == "--fix" || argument == "--output") {
            at += ReadFixOption(argument, next, at + 1 < argc, command, l);
        } else if (argument == "--add") {
            command.add = true;
            command.draw = next;
            if (++at == argc) {
                command.problem =
                    InLanguage(l, "--add needs the draw, such as \"5 9 17 28 30 37 27\"",
                               "--add には抽選を指定してください（例: \"5 9 17 28 30 37 27\"）");
            }
        } else if (argument == "--tickets") {
            command.tickets = next;
            if (++at == argc || next.empty()) {
                command.problem =
                    InLanguage(l, "--tickets needs the file of tickets, or - for standard input",
                               "--tickets には券のファイル（標準入力なら -）を指定してください");
            }
        } else if (argument == "--draw") {
            command.drawNamed = true;
            if (++at == argc || !ParseNumber(next, command.drawBack) || command.drawBack < 1) {
                command.problem =
                    InLanguage(l, "--draw needs a number of at least 1 (1 is the latest draw)",
                               "--draw には 1 以上の数を指定してください（1 が最新の抽選です）");
            }
        } else if (argument == "--all") {
            command.allDraws = true;
        } else if (argument == "--backtest") {
            command.backtest = true;
            // A count may follow; a file whose name is all digits must then come after it.
            if (AllDigits(next)) {
                if (!ParseNumber(next, command.settings.draws) || command.settings.draws < 1) {
                    command.problem = Fill(
                        InLanguage(
                            l, "--backtest needs a count of at least 1, not {0}",
                            "--backtest には 1 以上の数を指定してください（{0} は使えません）"),
                        {next});
                }
                ++at;
            }
        } else if (argument == "--seeds" || argument == "--first-seed") {
            bool seeds = argument == "--seeds";
            backtestOption = argument;
            bool good = at + 1 < argc && (seeds ? ParseNumber(next, command.settings.seeds) &&
                                                      command.settings.seeds >= 1
                                                : ParseNumber(next, command.settings.firstSeed));
            if (!good) {
                command.problem =
                    Fill(InLanguage(l, "{0} needs a number from {1} to {2}",
                                    "{0} には {1}～{2} の数を指定してください"),
                         {argument, seeds ? "1" : "0", seeds ? "2147483647" : "4294967295"});
            }
            ++at;
        } else if (argument.size() > 1 && argument[0] == '-') {
            command.problem =
                Fill(InLanguage(l, "unknown option {0}", "不明なオプション {0}"), {argument});
        } else if (fileNamed) {
            command.problem =
                InLanguage(l, "name one file only", "ファイルは 1 つだけ指定してください");
        } else {
            command.file = argument;
            fileNamed = true;
            command.fileNamed = true;
        }
        if (!command.problem.empty()) {
            break;
        }
    }
    if (command.problem.empty() && !command.backtest && !backtestOption.empty()) {
        command.problem =
            Fill(InLanguage(l, "{0} is for --backtest only; add --backtest or leave it out",
                            "{0} は --backtest と一緒にしか使えません。--backtest を"
                            "付けるか、{0} を外してください"),
                 {backtestOption});
    }
    return command;
}

double SteadySeconds() {
    using Clock = std::chrono::steady_clock;
    return std::chrono::duration<double>(Clock::now().time_since_epoch()).count();
}

// Before figures made from a history read with warnings, what the file check says of it;
// a note alone (older draws unused) is no warning.
void WarnOfWarnings(const std::string& file, const HistoryCheck& check, Language l) {
    if (CheckExitStatus(check) == 1) {
        WriteToConsole(ConsoleStream::Error,
                       Fill(InLanguage(l,
                                       "{0}: KIVO6 reads this file with warnings; kivo6-check {1} "
                                       "lists them.\n",
                                       "{0}: KIVO6 はこのファイルを警告つきで読みます。"
                                       "kivo6-check {1} で一覧できます。\n"),
                            {file, CommandWord(file)}));
    }
}

int RunBacktestCommand(const CommandLine& command, const HistoryCheck& check, Language l) {
    WarnOfWarnings(command.file, check, l);
    BacktestProgress report;
    ProgressMeter meter(l, SteadySeconds,
                        [](std::string_view text) { WriteToConsole(ConsoleStream::Error, text); });
    if (IsTerminal(ConsoleStream::Error)) {
        report = [&meter](int done, int total) { meter.Update(done, total); };
    }
    BacktestFigures figures = RunBacktest(command.settings, check.fileDraws, report);
    meter.Finish();
    WriteToConsole(ConsoleStream::Output,
                   FormatBacktest(command.file, command.settings, figures, l));
    return 0;
}

int RunTicketsCommand(const CommandLine& command, Language l) {
    const bool typed = command.tickets == "-";
    const std::string ticketsName =
        typed ? InLanguage(l, "standard input", "標準入力") : command.tickets;
    std::string bytes;
    const FileProblem problem =
        typed ? ReadWholeInput(bytes) : ReadWholeFile(command.tickets.c_str(), bytes);
    if (problem != FileProblem::None) {
        WriteToConsole(ConsoleStream::Error, FormatFileRefusal(ticketsName, problem, l));
        return 2;
    }
    const TicketsRead read = ReadTickets(bytes);
    const HistoryCheck check = CheckHistoryFile(command.file.c_str());
    if (!check.starts) {
        WriteToConsole(ConsoleStream::Output, FormatHistoryCheck(command.file, check, l));
        return 2;
    }
    WarnOfWarnings(command.file, check, l);
    if (check.draws == 0) {
        WriteToConsole(ConsoleStream::Error,
                       Fill(InLanguage(l, "{0}: error: the file holds no draw to check against\n",
                                       "{0}: エラー: 照合する抽選がファイルにありません\n"),
                            {command.file}));
        return 2;
    }
    if (command.drawBack > check.draws) {
        WriteToConsole(ConsoleStream::Error,
                       "kivo6-check: " + Fill(InLanguage(l, "--draw {0}: {1} holds {2} draws\n",
                                                         "--draw {0}: {1} の抽選は {2} 回分です\n"),
                                              {std::to_string(command.drawBack), command.file,
                                               GroupedNumber(check.draws)}));
        return EXIT_USAGE;
    }
    WriteToConsole(ConsoleStream::Error, FormatRefusedTickets(ticketsName, read, l));
    if (read.tickets.empty()) {
        WriteToConsole(ConsoleStream::Error, Fill(InLanguage(l, "{0}: no ticket to check\n",
                                                             "{0}: 照合する券がありません\n"),
                                                  {ticketsName}));
        return 1;
    }
    WriteToConsole(ConsoleStream::Output,
                   command.allDraws
                       ? FormatTicketsOverAll(ticketsName, command.file, read, check.fileDraws, l)
                       : FormatTicketsAgainstDraw(ticketsName, command.file, read, check.fileDraws,
                                                  command.drawBack - 1, l));
    return read.refused.empty() ? 0 : 1;
}

int RunFixCommand(const CommandLine& command, Language l) {
    const std::string& file = command.file;
    auto fail = [&](std::string_view name, std::string_view why) {
        WriteToConsole(ConsoleStream::Error,
                       Fill(InLanguage(l, "{0}: error: {1}\n", "{0}: エラー: {1}\n"), {name, why}));
        return 2;
    };
    std::string bytes;
    if (FileProblem problem = ReadWholeFile(file.c_str(), bytes); problem != FileProblem::None) {
        WriteToConsole(ConsoleStream::Error, FormatFileRefusal(file, problem, l));
        return 2;
    }
    const HistoryAsMeant history = ReadHistoryAsMeant(bytes);
    if (history.refusal != FixRefusal::None) {
        WriteToConsole(ConsoleStream::Error, FormatFixRefusal(file, history, l));
        return 2;
    }
    const bool inPlace = command.output.empty() || SameFile(file.c_str(), command.output.c_str());
    if (!inPlace && NameTaken(command.output.c_str())) {
        return fail(command.output, InLanguage(l,
                                               "this name is taken; --fix writes only a new "
                                               "file there (nothing was written)",
                                               "この名前はすでに使われています。--fix が"
                                               "書き込むのは新しいファイルだけです（何も"
                                               "書き込んでいません）"));
    }
    const FixWritten written = WriteFixedHistory(inPlace ? file : command.output, history, l);
    WriteToConsole(written.status == 0 ? ConsoleStream::Output : ConsoleStream::Error,
                   written.text);
    return written.status;
}

int RunAddCommand(const CommandLine& command, Language l) {
    const AddOutcome outcome = AddDraw(command.file, command.draw, l);
    if (outcome.status == EXIT_USAGE) {
        WriteToConsole(ConsoleStream::Error, "kivo6-check: " + outcome.text + "\n\n" + Usage(l));
    } else {
        WriteToConsole(outcome.status == 0 ? ConsoleStream::Output : ConsoleStream::Error,
                       outcome.text);
    }
    return outcome.status;
}

// Runs the command line's one command; its exit status.
int RunCommand(const CommandLine& command, Language language) {
    if (!command.problem.empty()) {
        WriteToConsole(ConsoleStream::Error,
                       "kivo6-check: " + command.problem + "\n\n" + Usage(language));
        return EXIT_USAGE;
    }
    if (command.help) {
        WriteToConsole(ConsoleStream::Output, Usage(language));
        return 0;
    }
    if (command.version) {
        // The first line's form, "NAME (PACKAGE) VERSION", is what help2man reads.
        WriteToConsole(ConsoleStream::Output, "kivo6-check (KIVO6) " KIVO6_VERSION "\n");
        return 0;
    }
    if (command.fix) {
        return RunFixCommand(command, language);
    }
    if (command.add) {
        return RunAddCommand(command, language);
    }
    if (!command.tickets.empty()) {
        return RunTicketsCommand(command, language);
    }
    HistoryCheck check = CheckHistoryFile(command.file.c_str());
    if (command.backtest && check.starts) {
        return RunBacktestCommand(command, check, language);
    }
    WriteToConsole(ConsoleStream::Output, FormatHistoryCheck(command.file, check, language));
    if (command.fileNamed && SYSTEM_CONSOLE.closesWithProgram()) {
        OfferDataTxtFrom(check, language, SYSTEM_CONSOLE);
    }
    return CheckExitStatus(check);
}

} // namespace

int main(int argc, char** argv) {
    Language language = LocaleAsksForJapanese() ? Language::Japanese : Language::English;
    CommandLine command = ReadCommandLine(argc, argv, language);
    if (command.problem.empty()) {
        command.problem = CombinationProblem(command, language);
    }
    const int status = RunCommand(command, language);
    if (SYSTEM_CONSOLE.closesWithProgram()) {
        WaitBeforeClosing(language, SYSTEM_CONSOLE);
    }
    return status;
}
