// Reading a history as meant, for kivo6-check (--fix, --add and the file check) and
// kivo6's first run; see history_as_meant.h. The bytes are first decoded to code points (through
// the platform's decoder for UTF-16 and code page 932), so that columns count characters; then each
// line is split into fields and read as a marker, a header, END, or a draw. Under a
// header row that names its columns, each line is split into that header's cells
// instead, and only the named columns are read.
#include "import/history_as_meant.h"

#include "core/history/state.h"
#include "platform/text_decoding.h"

#include <algorithm>
#include <map>
#include <optional>

constexpr char32_t REPLACEMENT = 0xFFFD;

std::optional<char32_t> NextCodePoint(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead < 0x80                   ? 1
                               : lead >= 0xC2 && lead < 0xE0 ? 2
                               : lead >= 0xE0 && lead < 0xF0 ? 3
                               : lead >= 0xF0 && lead < 0xF5 ? 4
                                                             : 0;
    if (length == 0 || at + length > text.size()) {
        return std::nullopt;
    }
    char32_t code = length == 1 ? lead : lead & (0x7Fu >> length);
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[at + k]);
        if ((next & 0xC0) != 0x80) {
            return std::nullopt;
        }
        code = code << 6 | (next & 0x3Fu);
    }
    constexpr char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < least[length] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) {
        return std::nullopt;
    }
    at += length;
    return code;
}

namespace {

// ---- From bytes to code points

// The code points of UTF-8 text; a byte that is not valid UTF-8 becomes U+FFFD. With
// `strict`, nothing instead: the text is not UTF-8 at all.
std::optional<std::u32string> CodePoints(std::string_view text, bool strict) {
    std::u32string codes;
    for (std::size_t at = 0; at < text.size();) {
        if (std::optional<char32_t> code = NextCodePoint(text, at)) {
            codes += *code;
        } else if (strict) {
            return std::nullopt;
        } else {
            codes += REPLACEMENT;
            ++at;
        }
    }
    return codes;
}

void AppendUtf8(std::string& text, char32_t code) {
    if (code < 0x80) {
        text += static_cast<char>(code);
        return;
    }
    const int length = code < 0x800 ? 2 : code < 0x10000 ? 3 : 4;
    constexpr unsigned lead[] = {0, 0, 0xC0, 0xE0, 0xF0};
    text += static_cast<char>(lead[length] | code >> (6 * (length - 1)));
    for (int k = length - 2; k >= 0; --k) {
        text += static_cast<char>(0x80 | ((code >> (6 * k)) & 0x3F));
    }
}

// Which encoding the bytes are in, recorded in the shape, and the text they hold.
std::u32string DecodedText(std::string_view bytes, HistoryShape& shape) {
    auto decodeAs = [&](TextEncoding encoding, std::size_t bomLength) {
        shape.encoding = encoding;
        shape.byteOrderMark = bomLength > 0;
        bytes.remove_prefix(bomLength);
    };
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        decodeAs(TextEncoding::Utf8, 3);
    } else if (bytes.starts_with("\xFF\xFE")) {
        decodeAs(TextEncoding::Utf16LittleEndian, 2);
    } else if (bytes.starts_with("\xFE\xFF")) {
        decodeAs(TextEncoding::Utf16BigEndian, 2);
    } else {
        // Digits and separators saved as UTF-16 have a zero byte each: the second of a
        // pair in little-endian order, the first in big-endian order.
        std::size_t zeros[2] = {0, 0};
        for (std::size_t at = 0; at < bytes.size(); ++at) {
            zeros[at % 2] += bytes[at] == '\0' ? 1u : 0u;
        }
        if (std::max(zeros[0], zeros[1]) * 4 > bytes.size() / 2) {
            decodeAs(zeros[1] >= zeros[0] ? TextEncoding::Utf16LittleEndian
                                          : TextEncoding::Utf16BigEndian,
                     0);
        } else if (std::optional<std::u32string> text = CodePoints(bytes, true)) {
            return *text;
        } else {
            decodeAs(TextEncoding::CodePage932, 0);
        }
    }
    switch (shape.encoding) {
    case TextEncoding::Utf8:
        return *CodePoints(bytes, false);
    case TextEncoding::Utf16LittleEndian:
        return *CodePoints(DecodeToUtf8(bytes, ForeignEncoding::Utf16LittleEndian), false);
    case TextEncoding::Utf16BigEndian:
        return *CodePoints(DecodeToUtf8(bytes, ForeignEncoding::Utf16BigEndian), false);
    case TextEncoding::CodePage932:
        break;
    }
    return *CodePoints(DecodeToUtf8(bytes, ForeignEncoding::CodePage932), false);
}

// ---- Fields of a line

// What stands between values: spaces, tabs, commas, semicolons, the quotes of a CSV
// export, their full-width forms, and control characters, which no editor shows.
bool IsSeparator(char32_t c) {
    return c <= 0x20 || c == ',' || c == ';' || c == '"' || c == 0x3000 || c == 0x3001 ||
           c == 0xFF0C || c == 0xFF1B || c == 0xFEFF;
}

// The half-width form of a full-width digit, slash, hyphen or plus; other characters as
// they are.
char32_t HalfWidth(char32_t c) {
    return c >= 0xFF0B && c <= 0xFF19 ? c - 0xFF0B + '+' : c;
}

// The separator a CSV, semicolon, tab or space layout is named by.
char SeparatorKind(char32_t c) {
    return c == ',' || c == 0x3001 || c == 0xFF0C ? ','
           : c == ';' || c == 0xFF1B              ? ';'
           : c == '\t'                            ? '\t'
                                                  : ' ';
}

enum class FieldKind { Number, DrawNumber, Date, Word };

struct Field {
    FieldKind kind = FieldKind::Word;
    int value = 0; // a number (at most 999999999), a draw number, or a date as yyyymmdd
    int column = 0;
    std::u32string text;
};

struct Cursor {
    std::u32string_view text;
    std::size_t at = 0;

    bool Take(char32_t c) {
        if (at < text.size() && text[at] == c) {
            ++at;
            return true;
        }
        return false;
    }
    // Reads digits into value (kept below a billion); how many there were.
    int Digits(int& value) {
        int count = 0;
        value = 0;
        for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at, ++count) {
            value = std::min(value, 99999999) * 10 + static_cast<int>(text[at] - '0');
        }
        return count;
    }
    bool Done() const {
        return at == text.size();
    }
};

// 1850, 第1850回 (or 1850回), 2024/01/04, 2024-01-04, 2024年1月4日, a date followed by its
// weekday in brackets, or else a word.
void Classify(Field& field) {
    Cursor cursor{field.text};
    int first = 0;
    const bool ordinal = cursor.Take(U'第');
    const int digits = cursor.Digits(first);
    field.value = first;
    if (digits == 0) {
        return;
    }
    if (ordinal || cursor.Take(U'回')) {
        if ((!ordinal || cursor.Take(U'回')) && cursor.Done()) {
            field.kind = FieldKind::DrawNumber;
        }
        return;
    }
    if (cursor.Done()) {
        field.kind = FieldKind::Number;
        return;
    }
    const char32_t between = cursor.Take(U'年') ? U'月'
                             : cursor.Take('/') ? U'/'
                             : cursor.Take('-') ? U'-'
                                                : 0;
    int month = 0;
    int day = 0;
    const bool dated = digits == 4 && between != 0 && cursor.Digits(month) <= 2 &&
                       cursor.Take(between) && cursor.Digits(day) <= 2 &&
                       (between != U'月' || cursor.Take(U'日'));
    if (cursor.Take('(') || cursor.Take(U'（')) {
        while (!cursor.Done() && cursor.text[cursor.at] != ')' && cursor.text[cursor.at] != U'）') {
            ++cursor.at;
        }
        cursor.at += cursor.Done() ? 0u : 1u;
    }
    if (dated && cursor.Done() && month >= 1 && month <= 12 && day >= 1 && day <= 31) {
        field.kind = FieldKind::Date;
        field.value = first * 10000 + month * 100 + day;
    }
}

// The fields of a line; `mark`, when not 0, is a character that makes a field of its
// own even where it touches others.
std::vector<Field> Fields(std::u32string_view line, HistoryShape& shape,
                          std::map<char, int>& separators, char32_t mark = 0) {
    std::vector<Field> fields;
    for (std::size_t at = 0; at < line.size(); ++at) {
        const char32_t c = line[at];
        shape.fullWidth |= c == 0x3000 || (c >= 0xFF10 && c <= 0xFF19);
        if (IsSeparator(c)) {
            ++separators[SeparatorKind(c)];
        } else {
            const bool alone =
                mark != 0 && (HalfWidth(c) == mark || (at > 0 && HalfWidth(line[at - 1]) == mark));
            if (at == 0 || IsSeparator(line[at - 1]) || alone) {
                fields.push_back({FieldKind::Word, 0, static_cast<int>(at) + 1, {}});
            }
            fields.back().text += HalfWidth(c);
        }
    }
    for (Field& field : fields) {
        Classify(field);
    }
    return fields;
}

// Whether the text is the ASCII word `lower`, in any case.
bool IsWordInAnyCase(std::u32string_view text, std::string_view lower) {
    return text.size() == lower.size() &&
           std::equal(text.begin(), text.end(), lower.begin(),
                      [](char32_t c, char l) { return (c | 0x20) == static_cast<char32_t>(l); });
}

// Where "kivo", in any case, starts in the line.
std::size_t FindKivo(std::u32string_view line) {
    for (std::size_t at = 0; at + 4 <= line.size(); ++at) {
        if (IsWordInAnyCase(line.substr(at, 4), "kivo")) {
            return at;
        }
    }
    return std::u32string_view::npos;
}

// The marker line as written: "KIVO" in capitals, control characters (which would end
// KIVO6's reading of the line, or of the file) as spaces, and short enough that KIVO6
// reads it whole as its first line.
std::string MarkerText(std::u32string line, std::size_t kivo) {
    line.replace(kivo, 4, U"KIVO");
    std::string text;
    for (char32_t c : line) {
        AppendUtf8(text, c < 0x20 || c == 0x7F ? U' ' : c);
    }
    constexpr std::size_t LONGEST = 250;
    if (text.size() > LONGEST) {
        std::size_t cut = LONGEST;
        while ((static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) {
            --cut;
        }
        text.resize(cut);
    }
    return text.find("KIVO") == std::string::npos ? "KIVO6" : text;
}

// ---- Cells under a header row

// One value of a line split on a header's own separator: its text without the quotes
// and the spaces around it, and the column (in characters) it starts at.
struct Cell {
    std::u32string text;
    int column = 0;
};

// The separator a header row uses most, outside quotes: ',', ';' or '\t'; ' ' when it
// uses none of them, and its names stand between spaces.
char HeaderSeparator(std::u32string_view line) {
    std::map<char, int> counts;
    bool quoted = false;
    for (char32_t c : line) {
        quoted ^= c == '"';
        if (!quoted && c != '"' && IsSeparator(c)) {
            ++counts[SeparatorKind(c)];
        }
    }
    char separator = ' ';
    for (char kind : {',', '\t', ';'}) {
        separator = counts[kind] > counts[separator] ? kind : separator;
    }
    return separator;
}

// The cells of a line. With ',', ';' or '\t' every separator ends a cell, so an empty
// cell keeps the columns after it in place; with ' ' a run of spaces ends one. A
// quoted cell ("45,513,600") holds its separators, and "" stands for one quote.
std::vector<Cell> Cells(std::u32string_view line, char separator) {
    const auto separates = [separator](char32_t c) {
        return separator == ' ' ? c <= 0x20 || c == 0x3000
                                : c != '"' && IsSeparator(c) && SeparatorKind(c) == separator;
    };
    const auto blank = [&](char32_t c) {
        return (c <= 0x20 || c == 0x3000 || c == 0xFEFF) && !separates(c);
    };
    std::size_t at = 0;
    const auto skip = [&](auto over) {
        while (at < line.size() && over(line[at])) {
            ++at;
        }
    };
    std::vector<Cell> cells;
    if (separator == ' ') {
        skip(separates);
    }
    for (bool more = true; more;) {
        skip(blank);
        Cell cell{{}, static_cast<int>(at) + 1};
        if (at < line.size() && line[at] == '"') {
            for (++at; at < line.size(); ++at) {
                if (line[at] == '"' && line.substr(at, 2) != U"\"\"") {
                    ++at; // the closing quote
                    break;
                }
                at += line[at] == '"' ? 1u : 0u;
                cell.text += line[at];
            }
        }
        for (; at < line.size() && !separates(line[at]); ++at) {
            cell.text += line[at];
        }
        while (!cell.text.empty() && blank(cell.text.back())) {
            cell.text.pop_back();
        }
        cells.push_back(std::move(cell));
        if (separator == ' ') {
            skip(separates);
            more = at < line.size();
        } else {
            more = at < line.size();
            at += more ? 1u : 0u;
        }
    }
    return cells;
}

// How many cells there are, empty ones at the end aside.
int FilledCells(const std::vector<Cell>& cells) {
    auto count = static_cast<int>(cells.size());
    while (count > 0 && cells[static_cast<std::size_t>(count) - 1].text.empty()) {
        --count;
    }
    return count;
}

// A cell read as a field is: a number, a draw number, a date or a word.
Field CellField(const Cell& cell) {
    Field field{FieldKind::Word, 0, cell.column, {}};
    for (char32_t c : cell.text) {
        field.text += HalfWidth(c);
    }
    Classify(field);
    return field;
}

// ---- Column names

// A column's name as it is compared: full-width letters and digits as ASCII, half-width
// katakana as full-width (ﾎﾞｰﾅｽ as ボーナス), letters in small case, without spaces or
// underscores, so that "Ｂｏｎｕｓ", "BONUS" and "bonus" are one name, and "Draw_No"
// and "draw no" another.
std::u32string FoldedName(std::u32string_view name) {
    constexpr std::u32string_view halfWidthKana =
        U"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノ"
        U"ハヒフヘホマミムメモヤユヨラリルレロワン゛゜";
    std::u32string folded;
    for (char32_t c : name) {
        c = c >= 0xFF01 && c <= 0xFF5E ? c - 0xFEE0 : c;
        c = c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c;
        c = c >= 0xFF61 && c <= 0xFF9F ? halfWidthKana[c - 0xFF61] : c;
        if (c <= 0x20 || c == 0x3000 || c == '_') {
            continue;
        }
        // A half-width voicing mark is a character of its own, after its kana.
        const char32_t kana = folded.empty() ? 0 : folded.back();
        const bool ha = kana >= U'ハ' && kana <= U'ホ' && (kana - U'ハ') % 3 == 0;
        const bool voiced = ha || kana == U'ウ' ||
                            (kana >= U'カ' && kana <= U'ヂ' && (kana - U'カ') % 2 == 0) ||
                            (kana >= U'ツ' && kana <= U'ド' && (kana - U'ツ') % 2 == 0);
        if ((c == U'゛' && voiced) || (c == U'゜' && ha)) {
            folded.back() = kana == U'ウ' ? U'ヴ' : kana + (c == U'゛' ? 1 : 2);
            continue;
        }
        folded += c;
    }
    return folded;
}

enum class Role { Other, Main, ExtraMain, Bonus, DrawNumber, Date };

struct ColumnName {
    Role role = Role::Other;
    int mainNumber = 0; // which main number, from 1
};

// What NumberBetween finds besides a number.
constexpr int NO_DIGITS = -1;
constexpr int NOT_OF_THE_FORM = -2;

// The number in the name between `before` and `after`, or NO_DIGITS or NOT_OF_THE_FORM.
// A plain int rather than an optional: memcheck takes GCC's handling of an empty
// optional<int> here for a jump on an uninitialised value.
int NumberBetween(std::u32string_view name, std::u32string_view before,
                  std::u32string_view after = U"") {
    if (name.size() < before.size() + after.size() || !name.starts_with(before) ||
        !name.ends_with(after)) {
        return NOT_OF_THE_FORM;
    }
    Cursor cursor{name.substr(before.size(), name.size() - before.size() - after.size())};
    int value = 0;
    const int digits = cursor.Digits(value);
    return !cursor.Done() ? NOT_OF_THE_FORM : digits == 0 ? NO_DIGITS : value;
}

// What a folded name names, compared whole: "回" names the draw number, "1等口数"
// nothing, though it holds 口数 and a digit.
ColumnName NameOf(std::u32string_view name) {
    for (std::u32string_view drawNumber :
         {U"抽せん回", U"抽選回", U"開催回", U"回号", U"回", U"draw", U"drawno"}) {
        if (name == drawNumber) {
            return {Role::DrawNumber};
        }
    }
    for (std::u32string_view date : {U"抽せん日", U"抽選日", U"日付", U"date"}) {
        if (name == date) {
            return {Role::Date};
        }
    }
    // 本数字1 .. 本数字6 and the like; 本数字7 is a game with more main numbers.
    int main = NumberBetween(name, U"第", U"数字");
    for (std::u32string_view before : {U"本数字", U"数字", U"n", U"num", U"ball"}) {
        main = main == NOT_OF_THE_FORM ? NumberBetween(name, before) : main;
    }
    if (main >= 0) {
        return {main >= 1 && main <= MAIN_NUMBERS ? Role::Main : Role::ExtraMain, main};
    }
    // ボーナス数字, or ボーナス数字1 and ボーナス数字2 when there are two.
    for (std::u32string_view before :
         {U"ボーナス数字", U"ボーナス", U"bonus", U"b", U"bonusball"}) {
        if (NumberBetween(name, before) != NOT_OF_THE_FORM) {
            return {Role::Bonus};
        }
    }
    return {};
}

// ---- Draws

struct DrawLine {
    int line = 0;
    int keyColumn = 1;
    int key = 0; // the draw number, or the date, that orders the draws
    std::array<int, DRAW_SIZE> numbers{};
};

// How the draw lines are laid out, as the first one shows.
struct Layout {
    bool decided = false;
    bool leadingNumber = false; // a plain draw number before the seven
    bool byNumber = false;
    bool byDate = false;
};

enum class HeaderReading { NotNaming, Named, Refused };

struct Reader {
    HistoryAsMeant& history;
    Layout layout;
    std::vector<DrawLine> draws;
    char headerSeparator = ' '; // of a header row that names its columns

    bool Refuse(FixRefusal why, int line, int column, int value = 0) {
        history.refusal = why;
        history.line = line;
        history.column = column;
        history.value = value;
        return false;
    }

    // One line of numbers, draw numbers and dates; false when it is refused.
    bool ReadDraw(int line, const std::vector<Field>& fields) {
        std::vector<const Field*> numbers;
        const Field* drawNumber = nullptr;
        const Field* date = nullptr;
        for (const Field& field : fields) {
            if (field.kind == FieldKind::Number) {
                numbers.push_back(&field);
            } else if (field.kind == FieldKind::DrawNumber && !drawNumber) {
                drawNumber = &field;
            } else if (field.kind == FieldKind::Date && !date) {
                date = &field;
            } else {
                return Refuse(FixRefusal::NotADraw, line, field.column);
            }
        }
        return TakeDraw(line, std::move(numbers), drawNumber, date, fields.front().column);
    }

    // A header row names its columns when it names a main number or the bonus, and none
    // of its cells holds a number: a row of numbers is a draw. Refused when the columns
    // it names do not make one draw of 6 of 43.
    HeaderReading ReadHeader(int line, std::u32string_view text) {
        const char separator = HeaderSeparator(text);
        const std::vector<Cell> cells = Cells(text, separator);
        std::vector<ColumnName> names;
        bool naming = false;
        for (const Cell& cell : cells) {
            if (!cell.text.empty() && CellField(cell).kind != FieldKind::Word) {
                return HeaderReading::NotNaming;
            }
            names.push_back(NameOf(FoldedName(cell.text)));
            const Role role = names.back().role;
            naming |= role == Role::Main || role == Role::ExtraMain || role == Role::Bonus;
        }
        if (!naming) {
            return HeaderReading::NotNaming;
        }
        HeaderColumns columns;
        columns.line = line;
        columns.count = FilledCells(cells);
        int mains = 0;
        int firstNumber = 0; // the first main-number or bonus column
        const auto refuse = [&](FixRefusal why, int column, int value = 0) {
            Refuse(why, line, cells[static_cast<std::size_t>(column) - 1].column, value);
            return HeaderReading::Refused;
        };
        for (int column = 1; column <= static_cast<int>(cells.size()); ++column) {
            const ColumnName name = names[static_cast<std::size_t>(column) - 1];
            if (name.role == Role::ExtraMain) {
                return refuse(FixRefusal::HeaderExtraMain, column);
            }
            if (name.role == Role::Bonus && columns.bonus != 0) {
                return refuse(FixRefusal::HeaderSecondBonus, column, columns.bonus);
            }
            int* taken = name.role == Role::Main
                             ? &columns.main[static_cast<std::size_t>(name.mainNumber) - 1]
                         : name.role == Role::Bonus      ? &columns.bonus
                         : name.role == Role::DrawNumber ? &columns.drawNumber
                         : name.role == Role::Date       ? &columns.date
                                                         : nullptr;
            if (taken && *taken != 0) {
                return refuse(FixRefusal::HeaderNameTwice, column, *taken);
            }
            if (taken) {
                *taken = column;
                mains += name.role == Role::Main ? 1 : 0;
                const bool number = name.role == Role::Main || name.role == Role::Bonus;
                firstNumber = firstNumber == 0 && number ? column : firstNumber;
            }
        }
        if (mains < MAIN_NUMBERS) {
            return refuse(FixRefusal::HeaderTooFewMain, firstNumber, mains);
        }
        if (columns.bonus == 0) {
            return refuse(FixRefusal::HeaderNoBonus, columns.main[MAIN_NUMBERS - 1]);
        }
        history.shape.columns = columns;
        headerSeparator = separator;
        return HeaderReading::Named;
    }

    // A line under a header row that names its columns: the draw in the columns it
    // names, the other cells left out whatever they hold.
    bool ReadRow(int line, std::u32string_view text) {
        const HeaderColumns& columns = history.shape.columns;
        const std::vector<Cell> cells = Cells(text, headerSeparator);
        const auto count = static_cast<int>(cells.size());
        const int filled = FilledCells(cells);
        if (count < columns.count || filled > columns.count) {
            history.otherLine = columns.line;
            return count < columns.count
                       ? Refuse(FixRefusal::CellCount, line, static_cast<int>(text.size()) + 1,
                                count)
                       : Refuse(FixRefusal::CellCount, line,
                                cells[static_cast<std::size_t>(columns.count)].column, filled);
        }
        const auto cellAt = [&](int column) {
            return CellField(cells[static_cast<std::size_t>(column) - 1]);
        };
        std::array<Field, DRAW_SIZE> taken;
        std::vector<const Field*> numbers;
        for (int position = 0; position < DRAW_SIZE; ++position) {
            const int column = position < MAIN_NUMBERS
                                   ? columns.main[static_cast<std::size_t>(position)]
                                   : columns.bonus;
            Field& field = taken[static_cast<std::size_t>(position)] = cellAt(column);
            if (field.kind != FieldKind::Number) {
                return Refuse(FixRefusal::NoNumberInCell, line, field.column, column);
            }
            numbers.push_back(&field);
        }
        const Field drawNumber = columns.drawNumber != 0 ? cellAt(columns.drawNumber) : Field{};
        const Field date = columns.date != 0 ? cellAt(columns.date) : Field{};
        const bool numbered =
            drawNumber.kind == FieldKind::DrawNumber || drawNumber.kind == FieldKind::Number;
        return TakeDraw(line, std::move(numbers), numbered ? &drawNumber : nullptr,
                        date.kind == FieldKind::Date ? &date : nullptr, cells.front().column);
    }

    // The seven numbers of a line and what orders it; false when it is refused.
    bool TakeDraw(int line, std::vector<const Field*> numbers, const Field* drawNumber,
                  const Field* date, int lineColumn) {
        if (!layout.decided) {
            layout.decided = true;
            layout.leadingNumber = !drawNumber && numbers.size() == DRAW_SIZE + 1;
            layout.byNumber = drawNumber || layout.leadingNumber;
            layout.byDate = !layout.byNumber && date;
            history.shape.drawNumbers = layout.byNumber;
            history.shape.dates = date != nullptr;
        }
        if (layout.leadingNumber && !drawNumber && !numbers.empty()) {
            drawNumber = numbers.front();
            numbers.erase(numbers.begin());
        }
        const auto count = static_cast<int>(numbers.size());
        if (count != DRAW_SIZE) {
            return count < DRAW_SIZE ? Refuse(FixRefusal::TooFewNumbers, line, lineColumn, count)
                                     : Refuse(FixRefusal::TooManyNumbers, line,
                                              numbers[DRAW_SIZE]->column, count);
        }
        DrawLine draw;
        draw.line = line;
        for (std::size_t position = 0; position < DRAW_SIZE; ++position) {
            draw.numbers[position] = numbers[position]->value;
        }
        std::size_t at = 0;
        if (const FixRefusal fault = DrawFault(draw.numbers, at); fault != FixRefusal::None) {
            return Refuse(fault, line, numbers[at]->column, draw.numbers[at]);
        }
        if (layout.byNumber || layout.byDate) {
            const Field* key = layout.byNumber ? drawNumber : date;
            if (!key) {
                return Refuse(FixRefusal::KeyMissing, line, lineColumn);
            }
            draw.key = key->value;
            draw.keyColumn = key->column;
        }
        draws.push_back(draw);
        return true;
    }

    // Oldest first, each draw once; false when two copies of one draw disagree.
    bool Order() {
        if (!layout.byNumber && !layout.byDate) {
            return true;
        }
        history.shape.newestFirst = draws.front().key > draws.back().key;
        std::stable_sort(draws.begin(), draws.end(),
                         [](const DrawLine& a, const DrawLine& b) { return a.key < b.key; });
        std::vector<DrawLine> once;
        for (const DrawLine& draw : draws) {
            if (once.empty() || once.back().key != draw.key) {
                once.push_back(draw);
            } else if (once.back().numbers == draw.numbers) {
                history.leftOut.push_back({draw.line, LeftOutKind::DuplicateAgrees});
            } else {
                history.otherLine = once.back().line;
                return Refuse(FixRefusal::DuplicateDisagrees, draw.line, draw.keyColumn, draw.key);
            }
        }
        draws = std::move(once);
        return true;
    }
};

std::vector<std::u32string_view> Lines(std::u32string_view text) {
    std::vector<std::u32string_view> lines;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find_first_of(U"\r\n"), text.size());
        lines.push_back(text.substr(0, end));
        const std::size_t next = end + (text.substr(end).starts_with(U"\r\n") ? 2 : 1);
        text.remove_prefix(std::min(next, text.size()));
    }
    return lines;
}

} // namespace

FixRefusal DrawFault(const std::array<int, 7>& numbers, std::size_t& at) {
    for (at = 0; at < DRAW_SIZE; ++at) {
        const int number = numbers[at];
        if (number < 1 || number > NUMBER_COUNT) {
            return FixRefusal::OutOfRange;
        }
        for (std::size_t before = 0; before < at; ++before) {
            if (numbers[before] == number) {
                return at == MAIN_NUMBERS ? FixRefusal::BonusIsMain : FixRefusal::RepeatedNumber;
            }
        }
    }
    return FixRefusal::None;
}

std::string TextAsUtf8(std::string_view bytes) {
    HistoryShape shape;
    std::string text;
    for (char32_t c : DecodedText(bytes, shape)) {
        AppendUtf8(text, c);
    }
    return text;
}

namespace {

std::vector<LineValue> ValuesOf(std::u32string_view text, char32_t mark) {
    HistoryShape shape;
    std::map<char, int> separators;
    std::vector<LineValue> values;
    for (const Field& field : Fields(text, shape, separators, mark)) {
        LineValue value{field.column, field.kind == FieldKind::Number, field.value, {}};
        for (char32_t c : field.text) {
            AppendUtf8(value.text, c);
        }
        values.push_back(value);
    }
    return values;
}

} // namespace

std::vector<LineValue> ReadLineValues(std::string_view line, char32_t mark) {
    HistoryShape shape;
    return ValuesOf(DecodedText(line, shape), mark);
}

std::vector<LineValue> ReadUtf8LineValues(std::string_view utf8) {
    return ValuesOf(*CodePoints(utf8, false), 0);
}

HistoryAsMeant ReadHistoryAsMeant(std::string_view bytes) {
    HistoryAsMeant history;
    HistoryShape& shape = history.shape;
    const std::u32string text = DecodedText(bytes, shape);
    Reader reader{history, {}, {}};
    std::map<char, int> separators; // of the lines read as draws
    bool seenText = false;
    bool ended = false;
    int number = 0;
    for (std::u32string_view line : Lines(text)) {
        ++number;
        std::map<char, int> lineSeparators;
        const std::vector<Field> fields = Fields(line, shape, lineSeparators);
        const bool words = std::all_of(fields.begin(), fields.end(), [](const Field& field) {
            return field.kind == FieldKind::Word;
        });
        const bool firstText = !seenText && !fields.empty();
        seenText |= !fields.empty();
        if (ended || fields.empty()) {
            history.leftOut.push_back({number, ended ? LeftOutKind::AfterEnd : LeftOutKind::Blank});
        } else if (const std::size_t kivo = FindKivo(line); firstText && kivo != line.npos) {
            shape.lowercaseMarker = line.substr(kivo, 4) != U"KIVO";
            history.marker = MarkerText(std::u32string(line), kivo);
        } else if (words && IsWordInAnyCase(fields.front().text, "end")) {
            shape.lowercaseEnd = fields.front().text != U"END";
            ended = true;
        } else if (const HeaderReading header = reader.draws.empty() && shape.columns.line == 0
                                                    ? reader.ReadHeader(number, line)
                                                    : HeaderReading::NotNaming;
                   header == HeaderReading::Refused) {
            break;
        } else if (header == HeaderReading::Named ||
                   (words && reader.draws.empty() && !shape.headerRow)) {
            shape.headerRow = true;
            history.leftOut.push_back({number, LeftOutKind::Header});
        } else {
            for (const auto& [kind, count] : lineSeparators) {
                separators[kind] += count;
            }
            if (!(shape.columns.line != 0 ? reader.ReadRow(number, line)
                                          : reader.ReadDraw(number, fields))) {
                break;
            }
        }
    }
    shape.noMarkerLine = history.marker.empty();
    int most = 0;
    for (const auto& [kind, count] : separators) {
        if (count > most || (count == most && kind != ' ')) {
            shape.separator = kind;
            most = count;
        }
    }
    if (history.refusal != FixRefusal::None) {
        return history;
    }
    if (shape.noMarkerLine) {
        history.marker = "KIVO6";
    }
    if (reader.draws.empty()) {
        history.refusal = FixRefusal::NoDraws;
        return history;
    }
    if (!reader.Order()) {
        return history;
    }
    // Every draw is written: the file is the whole record, and KIVO6 picks its newest.
    for (const auto& draw : reader.draws) {
        history.draws.push_back(draw.numbers);
    }
    return history;
}

std::string DrawLineText(const std::array<int, 7>& draw) {
    std::string text;
    for (int number : draw) {
        text += (text.empty() ? "" : " ") + std::to_string(number);
    }
    return text;
}

std::string FixedHistoryText(const HistoryAsMeant& history) {
    std::string text = history.marker + "\r\n";
    for (const std::array<int, DRAW_SIZE>& draw : history.draws) {
        text += DrawLineText(draw) + "\r\n";
    }
    return text + "END\r\n";
}
