// The texts of reading a history as meant, in English and Japanese: why a file cannot
// be read or fixed, with its line and column, and what a fix did. kivo6-check --fix
// and --add write them; kivo6's first run shows a refusal in a box.
#include "import/history_as_meant.h"

#include "core/history/state.h"

#include <algorithm>
#include <map>

namespace {

std::string Number(int number) {
    return std::to_string(number);
}

std::string Why(const HistoryAsMeant& history, Language l) {
    const std::string value = Number(history.value);
    switch (history.refusal) {
    case FixRefusal::TooFewNumbers:
    case FixRefusal::TooManyNumbers:
        return Fill(InLanguage(l,
                               "this line holds {0} numbers besides any draw number and date; "
                               "a draw is seven: six main numbers and the bonus{1}",
                               "この行には回号と日付のほかに数字が {0} 個あります。抽選は"
                               "本数字 6 個とボーナス数字 1 個の計 7 個です{1}"),
                    {value, history.refusal == FixRefusal::TooFewNumbers
                                ? ""
                                : InLanguage(l,
                                             "; a header line naming the columns (本数字1 to "
                                             "本数字6 and ボーナス数字, or N1 to N6 and BONUS) "
                                             "makes a file with more on each line readable",
                                             "。列名（本数字1～本数字6 と ボーナス数字、または "
                                             "N1～N6 と BONUS）を書いた見出しの行があれば、1 行に"
                                             "ほかの値もあるファイルも読めます")});
    case FixRefusal::HeaderTooFewMain:
        return Fill(InLanguage(l,
                               "this header names {0} main-number columns; a draw needs six, "
                               "such as 本数字1 to 本数字6 or N1 to N6",
                               "この見出しが示す本数字の列は {0} 列です。本数字1～本数字6 や "
                               "N1～N6 のように 6 列必要です"),
                    {value});
    case FixRefusal::HeaderExtraMain:
        return InLanguage(l,
                          "this column names a main number beyond the sixth: the file holds "
                          "the draws of another game than 6 of 43",
                          "この列は 7 個目以降の本数字を示しています。43 個から 6 個を選ぶ"
                          "くじとは別のくじのファイルです");
    case FixRefusal::HeaderNoBonus:
        return InLanguage(l,
                          "this header names no bonus column (ボーナス数字, BONUS or B); a "
                          "draw is six main numbers and the bonus",
                          "この見出しにはボーナス数字の列（ボーナス数字、BONUS、B）が"
                          "ありません。抽選は本数字 6 個とボーナス数字です");
    case FixRefusal::HeaderSecondBonus:
        return Fill(InLanguage(l,
                               "this is a second bonus column, besides column {0}; a draw has "
                               "one bonus number",
                               "{0} 列目のほかに 2 つ目のボーナス数字の列があります。ボーナス"
                               "数字は 1 個です"),
                    {value});
    case FixRefusal::HeaderNameTwice:
        return Fill(InLanguage(l,
                               "this column names what column {0} names already, so which of "
                               "the two to read is unknown",
                               "この列は {0} 列目と同じものを示しているため、どちらを読むか"
                               "決まりません"),
                    {value});
    case FixRefusal::CellCount:
        return Fill(InLanguage(l,
                               "this line has {0} cells where the header on line {1} names {2} "
                               "columns: a missing or extra cell would shift every column "
                               "after it",
                               "この行のセルは {0} 個ですが、{1} 行目の見出しは {2} 列です。"
                               "セルが欠けたり多かったりすると、後の列がすべてずれます"),
                    {value, Number(history.otherLine), Number(history.shape.columns.count)});
    case FixRefusal::NoNumberInCell:
        return Fill(InLanguage(l,
                               "column {0} holds a main number or the bonus, as the header "
                               "names it, but this cell holds no number",
                               "見出しによれば {0} 列目は本数字かボーナス数字ですが、この"
                               "セルには数字がありません"),
                    {value});
    case FixRefusal::OutOfRange:
    case FixRefusal::RepeatedNumber:
    case FixRefusal::BonusIsMain:
        return DrawFaultText(history.refusal, history.value, l);
    case FixRefusal::DuplicateDisagrees:
        return Fill(InLanguage(l,
                               "this draw stands on line {0} too, with other numbers: which "
                               "is right?",
                               "同じ回の抽選が {0} 行目にもあり、数字が違います。どちらが"
                               "正しいか確かめてください"),
                    {Number(history.otherLine)});
    case FixRefusal::KeyMissing:
        return InLanguage(l,
                          "this line lacks the draw number or date the other lines have, so "
                          "its place among the draws is unknown",
                          "ほかの行にある回号や日付がこの行にないため、抽選の順番が"
                          "決まりません");
    case FixRefusal::NotADraw:
        return InLanguage(l,
                          "this line is not a draw of seven numbers, nor a header row, a "
                          "KIVO line or END",
                          "この行は 7 個の数字の抽選でも、見出しの行、KIVO の行、END "
                          "でもありません");
    case FixRefusal::None:
    case FixRefusal::NoDraws:
        break;
    }
    return InLanguage(l, "there are no draws to write", "書き込む抽選がありません");
}

// Column numbers in ascending order, with a run of three or more as a range:
// "2, 3, 11–21".
std::string ColumnList(std::vector<int> columns, Language l) {
    std::sort(columns.begin(), columns.end());
    std::string text;
    for (std::size_t at = 0, end = 0; at < columns.size(); at = end + 1) {
        for (end = at; end + 1 < columns.size() && columns[end + 1] == columns[end] + 1;) {
            ++end;
        }
        end = end - at >= 2 ? end : at;
        text += text.empty() ? "" : InLanguage(l, ", ", "、");
        text += Number(columns[at]);
        text += end > at ? InLanguage(l, "–", "～") + Number(columns[end]) : "";
    }
    return text;
}

// Which columns a header row that names them gave the draws, and which were left out.
std::string ColumnsTaken(const HistoryShape& shape, Language l) {
    const HeaderColumns& columns = shape.columns;
    const std::vector<int> mains(columns.main.begin(), columns.main.end());
    const int key = shape.drawNumbers ? columns.drawNumber : shape.dates ? columns.date : 0;
    std::vector<int> others;
    for (int column = 1; column <= columns.count; ++column) {
        if (column != columns.bonus && column != key &&
            std::find(mains.begin(), mains.end(), column) == mains.end()) {
            others.push_back(column);
        }
    }
    const std::string ordered =
        key == 0
            ? ""
            : Fill(shape.drawNumbers
                       ? InLanguage(l, ", draw numbers from column {0}", "、回号を {0} 列目から")
                       : InLanguage(l, ", dates from column {0}", "、日付を {0} 列目から"),
                   {Number(key)});
    const std::string leftOut =
        others.empty()
            ? ""
            : Fill(others.size() == 1 ? InLanguage(l, "; 1 other column ({1}) left out",
                                                   "。ほかの 1 列（{1} 列目）は書き込みません")
                                      : InLanguage(l, "; {0} other columns ({1}) left out",
                                                   "。ほかの {0} 列（{1} 列目）は書き込みません"),
                   {Number(static_cast<int>(others.size())), ColumnList(others, l)});
    return Fill(
        InLanguage(l,
                   "The header on line {0} names the columns: numbers from columns {1}, "
                   "bonus from column {2}{3}{4}.\n",
                   "{0} 行目の見出しの列名に従い、本数字を {1} 列目から、ボーナス数字を "
                   "{2} 列目から{3}読みました{4}。\n"),
        {Number(columns.line), ColumnList(mains, l), Number(columns.bonus), ordered, leftOut});
}

} // namespace

std::string DrawFaultText(FixRefusal fault, int value, Language l) {
    const std::string number = Number(value);
    if (fault == FixRefusal::RepeatedNumber) {
        return Fill(InLanguage(l, "{0} stands twice among the six main numbers",
                               "{0} が本数字の中に 2 回あります"),
                    {number});
    }
    if (fault == FixRefusal::BonusIsMain) {
        return Fill(InLanguage(l, "the bonus number {0} is also one of the main numbers",
                               "ボーナス数字 {0} が本数字の中にもあります"),
                    {number});
    }
    return Fill(InLanguage(l, "{0} is outside 1 to 43", "{0} は 1～43 の範囲外です"), {number});
}

std::string ReplaceProblemText(ReplaceProblem problem, Language l) {
    switch (problem) {
    case ReplaceProblem::InUse:
        return InLanguage(l,
                          "another program has the file open (a spreadsheet or an editor, "
                          "say); close it there and try again",
                          "別のプログラム（表計算ソフトやエディターなど）がファイルを開いて"
                          "います。そちらで閉じてから、もう一度実行してください");
    case ReplaceProblem::Refused:
        return InLanguage(l,
                          "the system refused to replace the file: it is read-only, not yours "
                          "to change, or open in another program (a spreadsheet, say)",
                          "システムがファイルの置き換えを拒みました。読み取り専用か、変更の"
                          "許可がないか、別のプログラム（表計算ソフトなど）が開いています");
    case ReplaceProblem::None:
    case ReplaceProblem::Failed:
        break;
    }
    return InLanguage(l, "the new file could not be written",
                      "新しいファイルを書き込めませんでした");
}

namespace {

// A refusal of the file, at `where` (":LINE:COLUMN", or empty), and why.
std::string Refused(std::string_view fileName, std::string_view where, std::string_view why,
                    Language l) {
    return Fill(InLanguage(l, "{0}{1}: error: {2}\n{0}: nothing was written.\n",
                           "{0}{1}: エラー: {2}\n{0}: 何も書き込んでいません。\n"),
                {fileName, where, why});
}

std::string FileProblemText(FileProblem problem, Language l) {
    switch (problem) {
    case FileProblem::Missing:
        return InLanguage(l, "there is no such file", "そのファイルはありません");
    case FileProblem::Folder:
        return InLanguage(l, "this is a folder, not a file", "ファイルではなくフォルダーです");
    case FileProblem::TooLarge:
        return Fill(InLanguage(l,
                               "the file holds more than {0} bytes, too many to read as a history",
                               "ファイルが {0} バイトを超えていて、抽せん結果として読むには"
                               "大きすぎます"),
                    {GroupedNumber(static_cast<long long>(WHOLE_FILE_LIMIT))});
    case FileProblem::NotReadable:
    case FileProblem::None:
        break;
    }
    return InLanguage(l, "the file cannot be read (is it allowed?)",
                      "ファイルを読み取れません（読み取りの許可はありますか）");
}

} // namespace

std::string FormatFixRefusal(std::string_view fileName, const HistoryAsMeant& history, Language l) {
    const std::string where =
        history.line > 0 ? ":" + Number(history.line) + ":" + Number(history.column) : "";
    return Refused(fileName, where, Why(history, l), l);
}

std::string FormatFileRefusal(std::string_view fileName, FileProblem problem, Language l) {
    return Refused(fileName, "", FileProblemText(problem, l), l);
}

std::string FormatFixDone(std::string_view written, std::string_view backup,
                          const HistoryAsMeant& history, Language l) {
    const HistoryShape& shape = history.shape;
    std::string text = Fill(
        InLanguage(l, "{0}: {1} draws written, oldest first{2}.\n",
                   "{0}: {1} 回分の抽選を古い順に書き込みました{2}。\n"),
        {written, Number(static_cast<int>(history.draws.size())),
         shape.newestFirst ? InLanguage(l, " (the file had the newest first)", "（元は新しい順）")
                           : ""});
    if (shape.columns.line != 0) {
        text += ColumnsTaken(shape, l);
    }
    if (shape.drawNumbers || shape.dates) {
        text +=
            InLanguage(l, "Draw numbers and dates are left out: KIVO6 reads only the numbers.\n",
                       "回号と日付は書き込みません。KIVO6 が読むのは数字だけです。\n");
    }
    std::map<LeftOutKind, std::pair<int, int>> lines; // kind: how many, the first line
    for (const LeftOutLine& line : history.leftOut) {
        if (line.kind == LeftOutKind::Header && line.line == shape.columns.line) {
            continue; // named with its columns above
        }
        auto& [count, first] = lines[line.kind];
        first = count++ == 0 ? line.line : first;
    }
    for (const auto& [kind, where] : lines) {
        const char* english = "Blank lines left out: {0} (the first is line {1}).\n";
        const char* japanese = "空の行 {0} 行（最初は {1} 行目）は書き込みません。\n";
        if (kind == LeftOutKind::Header) {
            english = "The header row (line {1}) is left out.\n";
            japanese = "見出しの行（{1} 行目）は書き込みません。\n";
        } else if (kind == LeftOutKind::AfterEnd) {
            english = "Lines after END left out: {0} (from line {1} on).\n";
            japanese = "END より後の {0} 行（{1} 行目から）は書き込みません。\n";
        } else if (kind == LeftOutKind::DuplicateAgrees) {
            english = "Draws that stood twice, alike, written once: {0} (the first repeat "
                      "on line {1}).\n";
            japanese = "同じ内容で 2 回あった抽選 {0} 件（最初は {1} 行目）は 1 回だけ"
                       "書き込みました。\n";
        }
        text += Fill(InLanguage(l, english, japanese), {Number(where.first), Number(where.second)});
    }
    if (history.draws.size() > HISTORY_CAPACITY) {
        text += Fill(InLanguage(l, "KIVO6 uses the newest 256 of the {0} draws.\n",
                                "KIVO6 が使うのはこの {0} 回分のうち最新の 256 回分です。\n"),
                     {GroupedNumber(static_cast<long long>(history.draws.size()))});
    }
    if (!backup.empty()) {
        text += Fill(InLanguage(l, "The original file is kept, byte for byte, as {0}.\n",
                                "元のファイルはそのまま {0} として残してあります。\n"),
                     {backup});
    }
    return text;
}
