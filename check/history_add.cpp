// kivo6-check --add; see history_add.h. The draw is read with --fix's reading of a
// line, the file with KIVO6's own reader (the file check), and the new line goes in
// where that reader found END, so that KIVO6 takes it as the latest draw.
#include "check/history_add.h"

#include "check/history_check.h"
#include "check/report_text.h"
#include "core/history/state.h"
#include "import/history_as_meant.h"
#include "platform/whole_file.h"

#include <algorithm>

namespace {

constexpr std::size_t MAIN = 6;

std::string Number(int number) {
    return std::to_string(number);
}

std::string DrawProblem(int column, std::string_view why, Language l) {
    return Fill(InLanguage(l, "the draw, column {0}: {1}", "抽選の {0} 文字目: {1}"),
                {Number(column), why});
}

// Adding the draw again, the usual slip, would count it twice.
bool SameDraw(std::array<int, 7> first, std::array<int, 7> second) {
    std::sort(first.begin(), first.begin() + MAIN);
    std::sort(second.begin(), second.begin() + MAIN);
    return first == second;
}

// The bytes with the draw's line just before the END line, ended as the line before it.
std::string WithDrawBefore(std::string_view bytes, int endLine, const std::array<int, 7>& draw) {
    std::size_t start = 0;
    for (int line = 1; line < endLine; ++line) {
        start = bytes.find('\n', start) + 1;
    }
    const bool crlf = start >= 2 && bytes[start - 2] == '\r';
    return std::string(bytes.substr(0, start)) + DrawLineText(draw) + (crlf ? "\r\n" : "\n") +
           std::string(bytes.substr(start));
}

AddOutcome Refused(std::string_view file, std::string_view why, Language l) {
    return {2, Fill(InLanguage(l, "{0}: error: {1}\n", "{0}: エラー: {1}\n"), {file, why})};
}

// The first thing the file check says of a file KIVO6 reads with a warning, and how to
// mend the file.
AddOutcome RefusedWithWarning(const std::string& file, const HistoryCheck& check, Language l) {
    const std::string report = FormatHistoryCheck(file, check, l);
    std::string text = report.substr(0, report.find('\n') + 1);
    const char* english = "{0}: nothing was added.\n";
    const char* japanese = "{0}: 何も追加していません。\n";
    if (check.FixReadsIt()) {
        english = "{0}: nothing was added; mend the file with kivo6-check --fix {1}, then add "
                  "the draw.\n";
        japanese = "{0}: 何も追加していません。kivo6-check --fix {1} でファイルを直してから、"
                   "抽選を追加してください。\n";
    } else if (check.starts) {
        english = "{0}: nothing was added; kivo6-check {1} lists what to mend.\n";
        japanese = "{0}: 何も追加していません。直す箇所は kivo6-check {1} で一覧できます。\n";
    }
    return {2, text + Fill(InLanguage(l, english, japanese), {file, CommandWord(file)})};
}

} // namespace

DrawToAdd ReadDrawToAdd(std::string_view text, Language l) {
    DrawToAdd draw;
    std::size_t count = 0;
    bool plus = false;
    std::array<int, 7> columns{};
    for (const LineValue& value : ReadLineValues(text, U'+')) {
        if (value.text == "+" && !plus && count == MAIN) {
            plus = true;
        } else if (value.text == "+") {
            draw.problem = DrawProblem(
                value.column,
                InLanguage(l, "a \"+\" goes only once, before the bonus, the last number",
                           "「+」を置けるのは 1 回だけ、ボーナス数字（最後の数）の前です"),
                l);
            return draw;
        } else if (!value.number) {
            draw.problem = DrawProblem(
                value.column,
                Fill(InLanguage(l, "\"{0}\" is not a number", "「{0}」は数ではありません"),
                     {value.text}),
                l);
            return draw;
        } else if (count++ < draw.numbers.size()) {
            draw.numbers[count - 1] = value.value;
            columns[count - 1] = value.column;
        }
    }
    if (count != draw.numbers.size()) {
        draw.problem = Fill(InLanguage(l,
                                       "the draw holds {0} numbers; it needs the six main numbers "
                                       "and the bonus, such as \"5 9 17 28 30 37 27\"",
                                       "抽選の数が {0} 個です。本数字 6 個とボーナス数字の 7 個が"
                                       "必要です（例: \"5 9 17 28 30 37 27\"）"),
                            {Number(static_cast<int>(count))});
        return draw;
    }
    std::size_t at = 0;
    if (const FixRefusal fault = DrawFault(draw.numbers, at); fault != FixRefusal::None) {
        draw.problem = DrawProblem(columns[at], DrawFaultText(fault, draw.numbers[at], l), l);
    }
    return draw;
}

AddOutcome AddDraw(const std::string& file, std::string_view text, Language l) {
    const DrawToAdd draw = ReadDrawToAdd(text, l);
    if (!draw.problem.empty()) {
        return {EXIT_USAGE, draw.problem};
    }
    // Through a link, the file behind it is read, kept and replaced: the link stays.
    const std::string path = FinalPath(file.c_str());
    const HistoryCheck check = CheckHistoryFile(path.c_str());
    if (CheckExitStatus(check) != 0) {
        return RefusedWithWarning(file, check, l);
    }
    if (SameDraw(draw.numbers, check.latest)) {
        return Refused(file + ":" + Number(check.lastDrawLine),
                       Fill(InLanguage(l, "{0} is already the latest draw; nothing was added",
                                       "{0} はすでに最新の抽選です。何も追加していません"),
                            {DrawShown(draw.numbers)}),
                       l);
    }
    std::string bytes;
    if (ReadWholeFile(path.c_str(), bytes) != FileProblem::None) {
        return Refused(file,
                       InLanguage(l, "the file could not be read again; nothing was added",
                                  "ファイルをもう一度読めませんでした。何も追加していません"),
                       l);
    }
    const std::string previous = path + ".prev";
    if (ReplaceProblem problem = ReplaceFileContents(previous.c_str(), bytes);
        problem != ReplaceProblem::None) {
        return Refused(previous,
                       ReplaceProblemText(problem, l) +
                           InLanguage(l,
                                      "; the file as it was could not be kept here, so nothing "
                                      "was added",
                                      "。元のファイルをここに残せないため、何も追加していません"),
                       l);
    }
    if (ReplaceProblem problem =
            ReplaceFileContents(path.c_str(), WithDrawBefore(bytes, check.endLine, draw.numbers));
        problem != ReplaceProblem::None) {
        return Refused(file,
                       ReplaceProblemText(problem, l) +
                           InLanguage(l, "; the file is as it was (nothing was added)",
                                      "。ファイルは元のままです（何も追加していません）"),
                       l);
    }
    return {0, FormatDrawAdded(draw.numbers, check.draws + 1, previous, l)};
}

std::string FormatDrawAdded(const std::array<int, 7>& draw, int draws, std::string_view previous,
                            Language l) {
    const bool beyond = draws > HISTORY_CAPACITY; // KIVO6 reads the newest 256 draws
    std::string text = Fill(
        beyond ? InLanguage(l,
                            "Added {0} as draw {1} of the file; KIVO6 uses the newest 256 "
                            "and lists this one as No.256.\n",
                            "{0} をファイルの {1} 回目の抽選として追加しました。KIVO6 は"
                            "新しい 256 回分を使い、これを No.256 として表示します。\n")
               : InLanguage(l, "Added {0} as draw {1} of the file; KIVO6 lists it as No.{1}.\n",
                            "{0} をファイルの {1} 回目の抽選として追加しました。KIVO6 は"
                            "これを No.{1} として表示します。\n"),
        {DrawShown(draw), GroupedNumber(draws)});
    return text + Fill(InLanguage(l, "The file as it was is kept as {0}.\n",
                                  "追加前のファイルは {0} として残してあります。\n"),
                       {previous});
}
