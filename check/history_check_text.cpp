// The words of the file check, in English and Japanese: one line per finding in the
// form editors understand (file:line:column: warning: ...), then the summary.
#include "check/history_check.h"

#include "check/report_text.h"
#include "core/history/state.h"

#include <cstdio>
#include <map>
#include <vector>

namespace {

// Beyond this many findings of one kind, the rest are counted, not listed: one
// missing value shifts every later draw, and a hundred lines saying so help nobody.
constexpr int LISTED_PER_KIND = 10;
// Once a cause is named, the findings it brings about on line after line are only
// its examples: a few show what KIVO6 makes of it.
constexpr int LISTED_PER_KIND_WITH_A_CAUSE = 3;

std::string Number(long long value) {
    return std::to_string(value);
}

std::string Hex(int byte) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned>(byte & 0xFF));
    return text;
}

// A character as a user would name it.
std::string DescribeCharacter(const Finding& finding, Language language) {
    const int c = finding.character;
    const std::string& glyph = finding.glyph;
    if (glyph.size() == 3 && glyph[0] == '\xEF' && glyph[1] == '\xBC' && glyph[2] >= '\x90' &&
        glyph[2] <= '\x99') {
        return Fill(InLanguage(language,
                               "\"{0}\" ({1}, a full-width digit, which KIVO6 does not read)",
                               "「{0}」（{1}。全角数字は KIVO6 では数字になりません）"),
                    {glyph, finding.code});
    }
    if (!glyph.empty()) {
        return Fill(InLanguage(language, "\"{0}\" ({1})", "「{0}」（{1}）"), {glyph, finding.code});
    }
    if (!finding.code.empty()) {
        return Fill(
            InLanguage(language, "the character {0} (code page 932)", "文字 {0}（シフト JIS）"),
            {finding.code});
    }
    if (c == '\t') {
        return InLanguage(language, "a tab", "タブ");
    }
    if (c == '\r') {
        return InLanguage(language, "a carriage return (CR)", "復帰文字 (CR)");
    }
    if (c < 0x20 || c == 0x7F) {
        return Fill(InLanguage(language, "the control character {0}", "制御文字 {0} "), {Hex(c)});
    }
    if (c > 0x7F) {
        return Fill(InLanguage(language, "the byte {0}", "バイト {0} "), {Hex(c)});
    }
    std::string quoted(1, static_cast<char>(c));
    return Fill(InLanguage(language, "\"{0}\"", "「{0}」"), {quoted});
}

std::string CannotOpenReason(int problem, Language l) {
    switch (static_cast<FileProblem>(problem)) {
    case FileProblem::Missing:
        return InLanguage(l, "there is no file by this name", "この名前のファイルはありません");
    case FileProblem::Folder:
        return InLanguage(l, "this is a folder, not a file",
                          "これはファイルではなくフォルダーです");
    case FileProblem::NotReadable:
        return InLanguage(l,
                          "the file is there but cannot be read: reading it is not permitted, "
                          "or another program holds it",
                          "ファイルはありますが読めません。読み取りが許可されていないか、"
                          "別のプログラムが開いています");
    case FileProblem::TooLarge:
        return Fill(InLanguage(l,
                               "the file holds more than {0} bytes, more than kivo6-check "
                               "reads (KIVO6 itself reads it, and uses its newest 256 draws)",
                               "ファイルが {0} バイトを超えていて、kivo6-check では読めません"
                               "（KIVO6 自体は読み、最新の 256 回分を使います）"),
                    {GroupedNumber(static_cast<long long>(WHOLE_FILE_LIMIT))});
    case FileProblem::None:
        break;
    }
    // The file was readable a moment before KIVO6's reader tried it.
    return InLanguage(l, "cannot open the file", "ファイルを開けません");
}

std::string Describe(const Finding& finding, Language l) {
    const std::string value = Number(finding.value);
    const std::string stored = Number(finding.stored);
    const std::string draw = GroupedNumber(finding.draw);
    const std::string otherLine = Number(finding.otherLine);
    const std::string otherColumn = Number(finding.otherColumn);
    const std::string count = Number(finding.count);
    switch (finding.kind) {
    case FindingKind::CannotOpen:
        return CannotOpenReason(finding.value, l);
    case FindingKind::NoMarker:
        return InLanguage(l,
                          "line 1 has no \"KIVO\" in its first 255 characters, so this is not "
                          "a KIVO6 history",
                          "1 行目の最初の 255 文字に「KIVO」がないため、KIVO6 の履歴ファイルと"
                          "みなされません");
    case FindingKind::NumberSplit:
        return Fill(InLanguage(l,
                               "{0} is not a separator: KIVO6 reads {1} and skips the rest up to "
                               "the next space",
                               "{0}は区切りになりません。KIVO6 は {1} と読み、次のスペースまでの"
                               "残りを読み飛ばします"),
                    {DescribeCharacter(finding, l), value});
    case FindingKind::CharacterSwallows:
        return Fill(InLanguage(l,
                               "{0} ends the number {1}: the rest up to the next space is skipped",
                               "{0}で数値 {1} が終わり、次のスペースまでの残りは読み飛ばされます"),
                    {DescribeCharacter(finding, l), value});
    case FindingKind::ReadAsZero:
        if (finding.character < 0) {
            return InLanguage(l,
                              "white space other than a space (a tab, say) stands alone here: "
                              "KIVO6 reads it as the value 0",
                              "スペース以外の空白文字（タブなど）だけの語があり、KIVO6 は値 0 と"
                              "読みます");
        }
        return Fill(InLanguage(l, "{0} does not start a number: KIVO6 reads this as the value 0",
                               "{0}は数値の始まりではありません。KIVO6 はこれを値 0 と読みます"),
                    {DescribeCharacter(finding, l)});
    case FindingKind::OutOfRange:
        if (finding.value == finding.stored) {
            return Fill(InLanguage(l, "{0} is outside 1 to 43: KIVO6 counts it for no number",
                                   "{0} は 1～43 の範囲外です。KIVO6 はどの数字にも数えません"),
                        {value});
        }
        if (IsLotteryNumber(finding.stored)) {
            return Fill(InLanguage(l,
                                   "{0} is outside 1 to 43: KIVO6 keeps it as {1} and counts it "
                                   "as that number",
                                   "{0} は 1～43 の範囲外です。KIVO6 は {1} として保持し、その"
                                   "数字として数えます"),
                        {value, stored});
        }
        return Fill(InLanguage(l,
                               "{0} is outside 1 to 43: KIVO6 keeps it as {1} and counts it for "
                               "no number",
                               "{0} は 1～43 の範囲外です。KIVO6 は {1} として保持し、どの数字"
                               "にも数えません"),
                    {value, stored});
    case FindingKind::RepeatedInDraw:
        return Fill(InLanguage(l, "{0} stands twice in draw {1} (also at line {2}, column {3})",
                               "{1} 番目の抽選に {0} が 2 回あります（{2} 行 {3} 桁目にも）"),
                    {stored, draw, otherLine, otherColumn});
    case FindingKind::BonusIsMain:
        return Fill(InLanguage(l,
                               "the bonus number {0} of draw {1} is also one of its main numbers "
                               "(line {2}, column {3})",
                               "{1} 番目の抽選のボーナス数字 {0} が本数字にもあります（{2} 行 "
                               "{3} 桁目）"),
                    {stored, draw, otherLine, otherColumn});
    case FindingKind::DrawSplit:
        return Fill(InLanguage(l,
                               "draw {0} starts here and ends on line {1}: KIVO6 takes every "
                               "seven values as a draw, whatever the lines",
                               "{0} 番目の抽選がここから {1} 行目にまたがっています。KIVO6 は行に"
                               "関係なく値 7 個ずつを 1 回分の抽選とします"),
                    {draw, otherLine});
    case FindingKind::IncompleteLastDraw:
        return Fill(InLanguage(l,
                               finding.count == 1
                                   ? "the last value, here, does not make a whole draw of seven: "
                                     "KIVO6 leaves it out"
                                   : "the last {0} values, from here on, do not make a whole draw "
                                     "of seven: KIVO6 leaves them out",
                               "ここからの最後の {0} 個の値は 7 個に満たず、1 回分の抽選にならない"
                               "ため、KIVO6 は使いません"),
                    {count});
    case FindingKind::OlderDrawsUnused:
        return Fill(InLanguage(l, "KIVO6 uses the newest 256 of {0} draws, from this one on",
                               "KIVO6 が使うのは {0} 回分のうち、この抽選からの最新 256 回分です"),
                    {GroupedNumber(finding.count)});
    case FindingKind::NulInLine:
        return InLanguage(l, "a NUL character: the rest of this line is not read",
                          "NUL 文字があるため、この行の残りは読まれません");
    case FindingKind::ValuesOnEndLine:
        return Fill(InLanguage(l,
                               finding.count == 1
                                   ? "this line holds END, which ends the data: its number is "
                                     "not read"
                                   : "this line holds END, which ends the data: its {0} numbers "
                                     "are not read",
                               "この行の END でデータが終わるため、この行の {0} 個の数値は"
                               "読まれません"),
                    {count});
    case FindingKind::TextAfterEnd:
        return Fill(InLanguage(l,
                               "the data ended with END on line {0}: this and all that follows "
                               "is not read",
                               "データは {0} 行目の END で終わっています。ここから後は読まれ"
                               "ません"),
                    {otherLine});
    case FindingKind::NoEnd:
        return InLanguage(l, "the file ends without an END line",
                          "ファイルが END の行なしで終わっています");
    case FindingKind::CtrlZ:
        return InLanguage(l, "a Ctrl-Z (0x1A) ends the file for KIVO6: nothing after it is read",
                          "Ctrl-Z (0x1A) があり、KIVO6 はここでファイルが終わったとみなして"
                          "後ろを読みません");
    case FindingKind::LongLine:
        // KIVO6's limit is in bytes; a line of characters outside ASCII reaches it sooner.
        if (finding.column != LONGEST_LINE + 1) {
            return InLanguage(l,
                              "the line goes on past 255 bytes (a character outside ASCII takes "
                              "two or more), longer than a data line may be",
                              "この行は 255 バイト（ASCII 以外の文字は 2 バイト以上）を超えていて、"
                              "データ行の長さの上限を超えています");
        }
        return InLanguage(l, "the line goes on past 255 characters, longer than a data line may be",
                          "この行は 255 文字を超えていて、データ行の長さの上限を超えています");
    case FindingKind::NoDraws:
        return InLanguage(l,
                          "the file holds no complete draw: every share will be 0 and every "
                          "suggestion pure chance",
                          "完全な抽選が 1 回分もありません。割合はすべて 0 になり、候補は"
                          "まったくの偶然で選ばれます");
    }
    return {};
}

std::string Where(std::string_view fileName, const Finding& finding) {
    std::string where(fileName);
    if (finding.line > 0) {
        where += ":" + Number(finding.line);
    }
    if (finding.line > 0 && finding.column > 0) {
        where += ":" + Number(finding.column);
    }
    return where;
}

// The separator by the names a sentence needs: many, one, and in Japanese.
struct SeparatorName {
    std::string many;
    std::string one;
    std::string japanese;
};

SeparatorName NameSeparator(char separator) {
    switch (separator) {
    case ',':
        return {"commas", "comma", "カンマ"};
    case ';':
        return {"semicolons", "semicolon", "セミコロン"};
    case '\t':
        return {"tabs", "tab", "タブ"};
    default:
        break;
    }
    const std::string quoted = "\"" + std::string(1, separator) + "\"";
    return {quoted, quoted, "「" + std::string(1, separator) + "」"};
}

// listed: the warnings written out above; counted: those only counted in an "and N more".
std::string Summary(std::string_view fileName, const HistoryCheck& check, int listed, int counted,
                    int causes, Language l) {
    std::string text;
    if (!check.starts && check.shownMessages.empty()) {
        return text; // kivo6-check did not read it; its error says why
    }
    if (!check.starts) {
        text += InLanguage(l, "KIVO6 would not start with this file. It shows:\n",
                           "KIVO6 はこのファイルでは起動しません。次のメッセージを表示します:\n");
        for (const std::string& message : check.shownMessages) {
            std::string indented = "  ";
            for (char c : message) {
                indented += c;
                if (c == '\n') {
                    indented += "  ";
                }
            }
            text += indented + "\n";
        }
        return text;
    }
    std::string name(fileName);
    if (check.draws == 1) {
        text += Fill(InLanguage(l, "{0}: 1 draw read, on line {1}",
                                "{0}: 抽選 1 回分を読み込みました（{1} 行目）"),
                     {name, Number(check.firstDrawLine)});
    } else if (check.draws > 0) {
        text += Fill(InLanguage(l, "{0}: {1} draws read, from line {2} to line {3}",
                                "{0}: 抽選 {1} 回分を読み込みました（{2}～{3} 行目）"),
                     {name, GroupedNumber(check.draws), Number(check.firstDrawLine),
                      Number(check.lastDrawLine)});
    } else {
        text += Fill(InLanguage(l, "{0}: no draws read", "{0}: 抽選は 1 回分も読み込まれません"),
                     {name});
    }
    if (check.endLine > 0) {
        text += Fill(InLanguage(l, "; the data ends with END on line {0}.\n",
                                "。データは {0} 行目の END で終わります。\n"),
                     {Number(check.endLine)});
    } else {
        text += InLanguage(l, "; the data ends with the file.\n",
                           "。データはファイルの終わりで終わります。\n");
    }
    if (check.draws > 0) {
        const std::string numbers = TwoDigitNumbers(std::span(check.latest).first<6>());
        text += Fill(InLanguage(l, "Latest draw, as KIVO6 uses it (line {0}): {1}, bonus {2}\n",
                                "KIVO6 が使う最新の抽選（{0} 行目）: {1}、ボーナス {2}\n"),
                     {Number(check.lastDrawLine), numbers, TwoDigits(check.latest[6])});
    }
    if (listed == 0 && causes > 0) {
        text += InLanguage(l,
                           "KIVO6 would start with this file and reads each value as written, "
                           "but not as the file means it: see above.\n",
                           "KIVO6 はこのファイルで起動し、各値を書かれたとおりに読みますが、"
                           "上の原因のとおり、ファイルの意図どおりにはなりません。\n");
    } else if (listed == 0) {
        text += InLanguage(l, "KIVO6 would start with this file. No problems found.\n",
                           "KIVO6 はこのファイルで起動します。問題は見つかりませんでした。\n");
    } else if (counted == 0) {
        text += Fill(InLanguage(l,
                                listed == 1
                                    ? "KIVO6 would start with this file, but reads it as the "
                                      "warning above says.\n"
                                    : "KIVO6 would start with this file, but reads it as the {0} "
                                      "warnings above say.\n",
                                "KIVO6 はこのファイルで起動しますが、上の {0} 件の警告のとおりに"
                                "読みます。\n"),
                     {Number(listed)});
    } else {
        text += Fill(InLanguage(l,
                                "KIVO6 would start with this file, but reads it with {0} warnings: "
                                "the {1} listed above, and {2} more only counted there.\n",
                                "KIVO6 はこのファイルで起動しますが、警告が {0} 件あります（上に"
                                "示した {1} 件と、件数だけ示したほかの {2} 件）。\n"),
                     {Number(listed + counted), Number(listed), Number(counted)});
    }
    return text;
}

} // namespace

namespace {

std::string CauseText(ShapeCause cause, const HistoryShape& shape, Language l) {
    switch (cause) {
    case ShapeCause::Utf16:
        return InLanguage(
            l,
            "the file is saved as UTF-16, two bytes to a character: KIVO6 reads it byte by "
            "byte and finds neither \"KIVO\" nor any number in it; save it as plain text "
            "(UTF-8 or Shift JIS)",
            "ファイルが UTF-16（1 文字 2 バイト）で保存されています。KIVO6 は 1 バイトずつ"
            "読むため、「KIVO」も数値も見つかりません。テキスト（UTF-8 またはシフト JIS）で"
            "保存してください");
    case ShapeCause::FirstLineIsADraw:
        return InLanguage(
            l,
            "the first line is already a draw: KIVO6 needs a first line that holds \"KIVO\" "
            "in capitals before the draws, and refuses a file without one",
            "1 行目がすでに抽選の行です。KIVO6 は抽選の前に、大文字の「KIVO」を含む 1 行目を"
            "必要とし、それがないファイルを拒否します");
    case ShapeCause::LowercaseMarker:
        return InLanguage(l,
                          "line 1 has \"kivo\" in small letters: KIVO6 looks only for \"KIVO\" in "
                          "capitals, and refuses the file",
                          "1 行目の「kivo」が小文字です。KIVO6 は大文字の「KIVO」しか探さないため、"
                          "ファイルを拒否します");
    case ShapeCause::HeaderRow:
        return InLanguage(
            l,
            "a row of column names, as an export writes, stands before the draws: KIVO6 needs "
            "\"KIVO\" on line 1 and reads every later line as numbers",
            "抽選の前に、書き出したファイルにある列名の行があります。KIVO6 は 1 行目に"
            "「KIVO」を必要とし、それより後の行はすべて数値として読みます");
    case ShapeCause::Separator: {
        const SeparatorName name = NameSeparator(shape.separator);
        return Fill(InLanguage(l,
                               "values are separated by {0}: KIVO6 separates values "
                               "by spaces only, so each {1} ends a number and the rest "
                               "up to the next space is lost",
                               "値が{2}で区切られています。KIVO6 の区切りはスペース"
                               "だけなので、{2}で数値が終わり、次のスペースまでの残り"
                               "は読まれません"),
                    {name.many, name.one, name.japanese});
    }
    case ShapeCause::DrawNumbers:
        return InLanguage(
            l,
            "each line holds 8 values, one of them a draw number (such as 1850 or 第1850回), "
            "which KIVO6 reads as one more lottery number, so the draws shift; remove the draw "
            "numbers",
            "各行に値が 8 個あり、その 1 つは回号（1850 や 第1850回 など）です。KIVO6 はこれも"
            "抽選の数字として読むため、抽選がずれます。回号を消してください");
    case ShapeCause::Dates:
        return InLanguage(
            l,
            "each line carries a date: KIVO6 reads its year as one more value, outside 1 to 43, "
            "so the draws shift; remove the date",
            "各行に日付があります。KIVO6 は日付の年を 1～43 の範囲外の値としてもう 1 個"
            "読むため、抽選がずれます。日付を消してください");
    case ShapeCause::DrawNumbersAndDates:
        return InLanguage(
            l,
            "each line holds a draw number and a date besides its seven numbers: KIVO6 reads "
            "both as values, so the draws shift; remove the draw numbers and the dates",
            "各行に 7 個の数字のほか、回号と日付があります。KIVO6 はどちらも値として読むため、"
            "抽選がずれます。回号と日付を消してください");
    case ShapeCause::FullWidth:
        return InLanguage(
            l,
            "the file has full-width digits or spaces (０ to ９, the wide space): KIVO6 reads "
            "only the digits 0 to 9 and the ordinary space",
            "全角の数字や空白（０～９、全角スペース）があります。KIVO6 が読むのは半角の"
            "数字 0～9 と半角スペースだけです");
    case ShapeCause::LowercaseEnd:
        return InLanguage(
            l,
            "the data ends with \"end\" in small letters: KIVO6 looks only for \"END\" in "
            "capitals, so it reads \"end\" as the value 0 and goes on past it",
            "データの終わりの「end」が小文字です。KIVO6 は大文字の「END」しか探さないため、"
            "「end」を値 0 と読み、その先も読み続けます");
    case ShapeCause::NewestFirst:
        return InLanguage(
            l,
            "the draws run newest first: KIVO6 takes the last draw in the file as the latest; "
            "put the oldest draw first",
            "抽選が新しい順に並んでいます。KIVO6 はファイルの最後の抽選を最新とみなします。"
            "古い順に並べてください");
    }
    return {};
}

} // namespace

std::vector<std::string> ShapeCauses(const HistoryShape& shape, Language l) {
    std::vector<std::string> causes;
    for (const ShapeCause cause : CausesOf(shape)) {
        causes.push_back(CauseText(cause, shape, l));
    }
    return causes;
}

std::string FormatHistoryCheck(std::string_view fileName, const HistoryCheck& check,
                               Language language) {
    std::string text;
    const std::vector<std::string> causes = ShapeCauses(check.meant.shape, language);
    for (const std::string& cause : causes) {
        text +=
            std::string(fileName) + InLanguage(language, ": cause: ", ": 原因: ") + cause + "\n";
    }
    if (!causes.empty() && check.FixReadsIt()) {
        text +=
            Fill(InLanguage(language, "{0}: to mend it: kivo6-check --fix {1} --output data.txt\n",
                            "{0}: 直すには: kivo6-check --fix {1} --output data.txt\n"),
                 {fileName, CommandWord(fileName)});
    }
    const int listedPerKind = causes.empty() ? LISTED_PER_KIND : LISTED_PER_KIND_WITH_A_CAUSE;
    std::map<FindingKind, int> listed;
    std::map<FindingKind, int> firstLine;
    std::map<FindingKind, int> unlisted;
    int listedWarnings = 0;
    int countedWarnings = 0;
    for (const Finding& finding : check.findings) {
        const bool warning = !IsRefusal(finding.kind) && !IsNote(finding.kind);
        if (listed[finding.kind] == listedPerKind) {
            ++unlisted[finding.kind];
            countedWarnings += warning ? 1 : 0;
            continue;
        }
        listedWarnings += warning ? 1 : 0;
        if (listed[finding.kind]++ == 0) {
            firstLine[finding.kind] = finding.line;
        }
        const char* severity = IsRefusal(finding.kind) ? InLanguage(language, "error", "エラー")
                               : IsNote(finding.kind)  ? InLanguage(language, "note", "注記")
                                                       : InLanguage(language, "warning", "警告");
        text +=
            Where(fileName, finding) + ": " + severity + ": " + Describe(finding, language) + "\n";
    }
    for (const auto& [kind, count] : unlisted) {
        text +=
            Fill(InLanguage(language, "{0}: and {1} more like the one at line {2}, not listed\n",
                            "{0}: ほかに {2} 行目と同じ種類の指摘が {1} 件あります（省略）\n"),
                 {fileName, Number(count), Number(firstLine[kind])});
    }
    if (!text.empty()) {
        text += "\n";
    }
    return text + Summary(fileName, check, listedWarnings, countedWarnings,
                          static_cast<int>(causes.size()), language);
}
