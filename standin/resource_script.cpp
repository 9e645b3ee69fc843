// Reads the dialog templates of a resource script: a small preprocessor (#include,
// #define, include guards, #pragma) and the DIALOG statement with the control
// statements KIVO6 uses, giving each control the default styles the resource
// compiler gives it. Used by the stand-in window model at program start.
#include "standin/resource_script.h"

#include "standin/win32_subset.h"

#include <cctype>
#include <charconv>
#include <map>
#include <optional>

namespace {

// Names a script gets from <windows.h> and may use in what we read.
const std::map<std::string, std::int64_t, std::less<>>& WindowsNames() {
#define NAME(n)                                                                                    \
    { #n, static_cast < std::int64_t>(n) }
    static const std::map<std::string, std::int64_t, std::less<>> names = {
        NAME(WS_OVERLAPPED),
        NAME(WS_POPUP),
        NAME(WS_CHILD),
        NAME(WS_VISIBLE),
        NAME(WS_DISABLED),
        NAME(WS_CAPTION),
        NAME(WS_BORDER),
        NAME(WS_DLGFRAME),
        NAME(WS_SYSMENU),
        NAME(WS_GROUP),
        NAME(WS_TABSTOP),
        NAME(DS_SETFONT),
        NAME(DS_MODALFRAME),
        NAME(DS_CENTER),
        NAME(BS_PUSHBUTTON),
        NAME(BS_DEFPUSHBUTTON),
        NAME(BS_CHECKBOX),
        NAME(BS_AUTOCHECKBOX),
        NAME(BS_RADIOBUTTON),
        NAME(BS_GROUPBOX),
        NAME(BS_AUTORADIOBUTTON),
        NAME(BS_NOTIFY),
        NAME(IDOK),
        NAME(IDCANCEL),
        {"LANG_NEUTRAL", 0x00},
        {"LANG_ENGLISH", 0x09},
        {"LANG_JAPANESE", 0x11},
        {"SUBLANG_NEUTRAL", 0x00},
        {"SUBLANG_DEFAULT", 0x01},
    };
#undef NAME
    return names;
}

enum class TokenKind { Name, Number, String, Punct, End };

struct Token {
    TokenKind kind = TokenKind::End;
    std::string text; // name, punctuation, or a string's value
    std::int64_t number = 0;
    std::string_view file;
    int line = 0;
};

struct Failure {
    std::string message;
};

// Splits the script into tokens while running the preprocessor over it.
class Preprocessor {
  public:
    explicit Preprocessor(const std::vector<IncludedFile>& files) : files_(files) {}

    bool Run(std::string_view text, std::string_view file, int depth) {
        if (depth > 8) {
            return Fail(file, 0, "#include nested too deeply");
        }
        // Each #if... pushes whether its lines are read.
        std::vector<bool> reading;
        int lineNumber = 0;
        bool inComment = false;
        std::size_t pos = 0;
        while (pos < text.size()) {
            std::size_t end = text.find('\n', pos);
            if (end == std::string_view::npos) {
                end = text.size();
            }
            std::string_view line = text.substr(pos, end - pos);
            pos = end + 1;
            ++lineNumber;
            if (!line.empty() && line.back() == '\r') {
                line.remove_suffix(1);
            }
            const bool active = reading.empty() || reading.back();
            const std::size_t first = line.find_first_not_of(" \t");
            if (!inComment && first != std::string_view::npos && line[first] == '#') {
                if (!Directive(line.substr(first + 1), file, lineNumber, reading, depth)) {
                    return false;
                }
                continue;
            }
            if (active && !Tokenize(line, file, lineNumber, inComment)) {
                return false;
            }
        }
        if (!reading.empty()) {
            return Fail(file, lineNumber, "#ifndef without #endif");
        }
        return true;
    }

    std::vector<Token> tokens;
    std::map<std::string, std::vector<Token>, std::less<>> macros;
    std::string error;

  private:
    bool Fail(std::string_view file, int line, const std::string& what) {
        error = std::string(file) + " line " + std::to_string(line) + ": " + what;
        return false;
    }

    bool Directive(std::string_view rest, std::string_view file, int line,
                   std::vector<bool>& reading, int depth) {
        const std::string_view word = Word(rest);
        const bool active = reading.empty() || reading.back();
        if (word == "ifndef" || word == "ifdef") {
            const bool defined = macros.contains(Word(rest));
            reading.push_back(active && (word == "ifdef") == defined);
            return true;
        }
        if (word == "else") {
            if (reading.empty()) {
                return Fail(file, line, "#else without #if");
            }
            const bool outer = reading.size() < 2 || reading[reading.size() - 2];
            reading.back() = outer && !reading.back();
            return true;
        }
        if (word == "endif") {
            if (reading.empty()) {
                return Fail(file, line, "#endif without #if");
            }
            reading.pop_back();
            return true;
        }
        if (!active) {
            return true;
        }
        if (word == "pragma") {
            // Scripts are read as UTF-8; a different code page would need converting.
            const std::size_t at = rest.find("code_page");
            if (at != std::string_view::npos && rest.find("65001") == std::string_view::npos) {
                return Fail(file, line, "only #pragma code_page(65001) (UTF-8) is understood");
            }
            return true;
        }
        if (word == "define") {
            const std::string name(Word(rest));
            if (name.empty()) {
                return Fail(file, line, "#define without a name");
            }
            if (!rest.empty() && rest.front() == '(') {
                return Fail(file, line, "macros with arguments are not understood");
            }
            const std::size_t before = tokens.size();
            bool inComment = false;
            if (!Tokenize(rest, file, line, inComment)) {
                return false;
            }
            macros[name].assign(tokens.begin() + static_cast<std::ptrdiff_t>(before), tokens.end());
            tokens.resize(before);
            return true;
        }
        if (word == "include") {
            return Include(rest, file, line, depth);
        }
        if (word == "undef") {
            macros.erase(std::string(Word(rest)));
            return true;
        }
        return Fail(file, line, "#" + std::string(word) + " is not understood");
    }

    bool Include(std::string_view rest, std::string_view file, int line, int depth) {
        const std::size_t open = rest.find_first_of("<\"");
        const char close = open == std::string_view::npos ? '\0' : (rest[open] == '<' ? '>' : '"');
        const std::size_t shut = close ? rest.find(close, open + 1) : std::string_view::npos;
        if (shut == std::string_view::npos) {
            return Fail(file, line, "#include needs a file name");
        }
        const std::string_view name = rest.substr(open + 1, shut - open - 1);
        for (const IncludedFile& included : files_) {
            if (included.name == name) {
                return Run(included.text, included.name, depth + 1);
            }
        }
        // <windows.h> is WindowsNames(); anything else we are not given only names
        // things outside the dialogs (version numbers), which stay unknown.
        return true;
    }

    static std::string_view Word(std::string_view& rest) {
        std::size_t start = rest.find_first_not_of(" \t");
        if (start == std::string_view::npos) {
            rest = {};
            return {};
        }
        std::size_t end = start;
        while (end < rest.size() &&
               (std::isalnum(static_cast<unsigned char>(rest[end])) || rest[end] == '_')) {
            ++end;
        }
        const std::string_view word = rest.substr(start, end - start);
        rest.remove_prefix(end);
        return word;
    }

    bool Tokenize(std::string_view line, std::string_view file, int lineNumber, bool& inComment) {
        std::size_t i = 0;
        while (i < line.size()) {
            const char c = line[i];
            if (inComment) {
                const std::size_t close = line.find("*/", i);
                if (close == std::string_view::npos) {
                    return true;
                }
                inComment = false;
                i = close + 2;
                continue;
            }
            if (c == ' ' || c == '\t' || c == '\f' || c == '\v') {
                ++i;
                continue;
            }
            if (line.substr(i, 2) == "//") {
                return true;
            }
            if (line.substr(i, 2) == "/*") {
                inComment = true;
                i += 2;
                continue;
            }
            Token token;
            token.file = file;
            token.line = lineNumber;
            if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
                std::size_t end = i;
                while (end < line.size() &&
                       (std::isalnum(static_cast<unsigned char>(line[end])) || line[end] == '_')) {
                    ++end;
                }
                token.kind = TokenKind::Name;
                token.text = std::string(line.substr(i, end - i));
                i = end;
            } else if (std::isdigit(static_cast<unsigned char>(c))) {
                std::size_t end = i;
                while (end < line.size() && std::isalnum(static_cast<unsigned char>(line[end]))) {
                    ++end;
                }
                std::string_view digits = line.substr(i, end - i);
                while (!digits.empty() && (digits.back() == 'L' || digits.back() == 'l' ||
                                           digits.back() == 'U' || digits.back() == 'u')) {
                    digits.remove_suffix(1);
                }
                int base = 10;
                if (digits.size() > 2 && digits[0] == '0' &&
                    (digits[1] == 'x' || digits[1] == 'X')) {
                    digits.remove_prefix(2);
                    base = 16;
                }
                std::uint32_t value = 0;
                const auto [ptr, ec] =
                    std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
                if (ec != std::errc() || ptr != digits.data() + digits.size()) {
                    return Fail(file, lineNumber,
                                "bad number " + std::string(line.substr(i, end - i)));
                }
                token.kind = TokenKind::Number;
                token.number = value;
                i = end;
            } else if (c == '"') {
                token.kind = TokenKind::String;
                ++i;
                bool closed = false;
                while (i < line.size()) {
                    const char s = line[i++];
                    if (s == '"') {
                        if (i < line.size() && line[i] == '"') { // "" is a quote inside
                            token.text += '"';
                            ++i;
                            continue;
                        }
                        closed = true;
                        break;
                    }
                    if (s == '\\' && i < line.size()) {
                        const char e = line[i++];
                        token.text += e == 'n' ? '\n' : e == 't' ? '\t' : e;
                        continue;
                    }
                    token.text += s;
                }
                if (!closed) {
                    return Fail(file, lineNumber, "string not closed");
                }
            } else if (c == ',' || c == '|' || c == '(' || c == ')' || c == '-' || c == '+' ||
                       c == '~' || c == '{' || c == '}') {
                token.kind = TokenKind::Punct;
                token.text = std::string(1, c);
                ++i;
            } else {
                return Fail(file, lineNumber, std::string("unexpected character '") + c + "'");
            }
            tokens.push_back(std::move(token));
        }
        return true;
    }

    const std::vector<IncludedFile>& files_;
};

// Far beyond any real script, and each small enough that a hostile one neither hangs
// nor exhausts the stack (a definition's reader nests at most 17 deep).
constexpr int MAX_EXPANSIONS = 10000;
constexpr int MAX_NESTING = 200;
constexpr std::int64_t MAX_MAGNITUDE = std::int64_t{1} << 40;

// Reads the statements from the preprocessed tokens.
class Reader {
  public:
    Reader(const std::vector<Token>& tokens,
           const std::map<std::string, std::vector<Token>, std::less<>>& macros)
        : tokens_(tokens), macros_(macros) {}

    bool Read(std::vector<DialogTemplate>& dialogs) {
        while (!AtEnd()) {
            if (IsName("LANGUAGE")) {
                ++at_;
                std::int64_t primary = 0;
                std::int64_t sub = 0;
                if (!Expression(primary) || !Expect(",") || !Expression(sub)) {
                    return false;
                }
                language_ = static_cast<std::uint16_t>((sub << 10) | primary);
                continue;
            }
            const std::size_t nameAt = at_;
            if (Peek().kind != TokenKind::Name && Peek().kind != TokenKind::Number) {
                return Fail("expected a resource name");
            }
            ++at_;
            if (IsName("DIALOG")) {
                ++at_;
                DialogTemplate dialog;
                std::int64_t id = 0;
                if (!Value(tokens_[nameAt], id, 0)) {
                    return false;
                }
                dialog.id = static_cast<int>(id);
                dialog.language = language_;
                if (!Dialog(dialog)) {
                    return false;
                }
                dialogs.push_back(std::move(dialog));
            } else if (IsName("DIALOGEX")) {
                return Fail("DIALOGEX is not understood; write the dialog with DIALOG");
            } else if (IsName("VERSIONINFO")) {
                ++at_;
                if (!SkipBlock()) {
                    return false;
                }
            } else if (!AtEnd() &&
                       (Peek().kind == TokenKind::Name || Peek().kind == TokenKind::Number) &&
                       at_ + 1 < tokens_.size() && tokens_[at_ + 1].kind == TokenKind::String) {
                at_ += 2; // a resource kept in its own file: ICON, RT_MANIFEST, ...
            } else {
                return Fail("statement not understood");
            }
        }
        return true;
    }

    std::string error;

  private:
    bool AtEnd() const {
        return at_ >= tokens_.size();
    }
    const Token& Peek() const {
        static const Token end;
        return AtEnd() ? end : tokens_[at_];
    }
    bool IsName(std::string_view name) const {
        return Peek().kind == TokenKind::Name && Peek().text == name;
    }
    bool IsPunct(std::string_view punct) const {
        return Peek().kind == TokenKind::Punct && Peek().text == punct;
    }
    bool Fail(const std::string& what) {
        return FailAt(AtEnd() ? (tokens_.empty() ? Peek() : tokens_.back()) : Peek(), what);
    }
    bool FailAt(const Token& where, const std::string& what) {
        error = std::string(where.file) + " line " + std::to_string(where.line) + ": " + what;
        return false;
    }
    bool Expect(std::string_view punct) {
        if (!IsPunct(punct)) {
            return Fail("expected '" + std::string(punct) + "'");
        }
        ++at_;
        return true;
    }

    // The value of a name: a #define, or one of the Win32 names.
    bool Value(const Token& token, std::int64_t& value, int depth) {
        if (token.kind == TokenKind::Number) {
            value = token.number;
            return true;
        }
        if (token.kind != TokenKind::Name) {
            return Fail("expected a number or a name");
        }
        if (const auto macro = macros_.find(token.text); macro != macros_.end()) {
            if (depth > 16) {
                return Fail(token.text + " is defined in terms of itself");
            }
            // An empty definition (an include guard) has no tokens to name a place by;
            // the place is where it is used as a number.
            if (macro->second.empty()) {
                return FailAt(token, token.text + " is defined as nothing");
            }
            // Each use reads the definition again, so definitions built on several uses
            // of others grow exponentially with their depth; the count of uses bounds it.
            if (++*expansions_ > MAX_EXPANSIONS) {
                return FailAt(token, "definitions expand too far at " + token.text);
            }
            Reader inner(macro->second, macros_);
            inner.depth_ = depth + 1;
            inner.expansions_ = expansions_;
            if (!inner.Expression(value)) {
                error = inner.error;
                return false;
            }
            if (!inner.AtEnd()) {
                return Fail("the definition of " + token.text + " is not a number");
            }
            return true;
        }
        const auto& names = WindowsNames();
        if (const auto known = names.find(token.text); known != names.end()) {
            value = known->second;
            return true;
        }
        return Fail("unknown name " + token.text);
    }

    bool Primary(std::int64_t& value) {
        if (AtEnd()) {
            return Fail("expression ends early");
        }
        if (IsPunct("(") || IsPunct("-") || IsPunct("~")) {
            // Every level is a level of recursion here: bound it well within the stack.
            if (nesting_ == MAX_NESTING) {
                return Fail("expression nested too deeply");
            }
            ++nesting_;
            const bool read = Nested(value);
            --nesting_;
            return read;
        }
        const Token& token = tokens_[at_++];
        return Value(token, value, depth_);
    }

    // A parenthesized expression, or a negated or inverted primary.
    bool Nested(std::int64_t& value) {
        if (IsPunct("(")) {
            ++at_;
            return Expression(value) && Expect(")");
        }
        const bool negate = IsPunct("-");
        ++at_;
        if (!Primary(value)) {
            return false;
        }
        value = negate ? -value : ~value;
        return true;
    }

    bool Expression(std::int64_t& value) {
        if (!Primary(value)) {
            return false;
        }
        while (IsPunct("|") || IsPunct("+")) {
            const bool orBits = IsPunct("|");
            ++at_;
            std::int64_t next = 0;
            if (!Primary(next)) {
                return false;
            }
            value = orBits ? (value | next) : (value + next);
            // Each part is at most 32 bits, so only a sum of billions of them could
            // pass this; refusing it keeps the arithmetic far from overflow.
            if (value > MAX_MAGNITUDE || value < -MAX_MAGNITUDE) {
                return Fail("value out of range");
            }
        }
        return true;
    }

    // A style list: "A | B | NOT C" starting from the statement's defaults.
    bool Style(std::uint32_t& style) {
        bool first = true;
        while (first || IsPunct("|")) {
            if (!first) {
                ++at_;
            }
            first = false;
            const bool clear = IsName("NOT");
            if (clear) {
                ++at_;
            }
            std::int64_t value = 0;
            if (!Primary(value)) {
                return false;
            }
            const auto bits = static_cast<std::uint32_t>(value);
            style = clear ? (style & ~bits) : (style | bits);
        }
        return true;
    }

    bool Coordinate(std::int16_t& out) {
        const std::size_t start = at_;
        std::int64_t value = 0;
        if (!Expression(value)) {
            return false;
        }
        if (value < -32768 || value > 32767) {
            at_ = start;
            return Fail("coordinate out of range");
        }
        out = static_cast<std::int16_t>(value);
        return true;
    }

    bool Rectangle(std::int16_t& x, std::int16_t& y, std::int16_t& cx, std::int16_t& cy) {
        return Coordinate(x) && Expect(",") && Coordinate(y) && Expect(",") && Coordinate(cx) &&
               Expect(",") && Coordinate(cy);
    }

    bool Dialog(DialogTemplate& dialog) {
        if (!Rectangle(dialog.x, dialog.y, dialog.cx, dialog.cy)) {
            return false;
        }
        std::optional<std::uint32_t> style;
        bool hasCaption = false;
        while (!IsName("BEGIN") && !IsPunct("{")) {
            if (AtEnd()) {
                return Fail("dialog without BEGIN");
            }
            if (IsName("STYLE")) {
                ++at_;
                std::uint32_t value = 0;
                if (!Style(value)) {
                    return false;
                }
                style = value;
            } else if (IsName("CAPTION")) {
                ++at_;
                if (Peek().kind != TokenKind::String) {
                    return Fail("CAPTION needs a string");
                }
                dialog.caption = tokens_[at_++].text;
                hasCaption = true;
            } else if (IsName("FONT")) {
                ++at_;
                std::int64_t points = 0;
                if (!Expression(points) || !Expect(",")) {
                    return false;
                }
                if (Peek().kind != TokenKind::String) {
                    return Fail("FONT needs a face name");
                }
                dialog.fontPoints = static_cast<int>(points);
                dialog.fontFace = tokens_[at_++].text;
            } else if (IsName("LANGUAGE")) {
                ++at_;
                std::int64_t primary = 0;
                std::int64_t sub = 0;
                if (!Expression(primary) || !Expect(",") || !Expression(sub)) {
                    return false;
                }
                dialog.language = static_cast<std::uint16_t>((sub << 10) | primary);
            } else {
                return Fail("dialog option " + Peek().text + " not understood");
            }
        }
        ++at_;
        // What the resource compiler adds for a DIALOG statement.
        dialog.style = style.value_or(WS_POPUP | WS_BORDER | WS_SYSMENU);
        if (hasCaption) {
            dialog.style |= WS_CAPTION;
        }
        if (!dialog.fontFace.empty()) {
            dialog.style |= DS_SETFONT;
        }
        while (!IsName("END") && !IsPunct("}")) {
            if (AtEnd()) {
                return Fail("dialog without END");
            }
            ControlTemplate control;
            if (!Control(control)) {
                return false;
            }
            dialog.controls.push_back(std::move(control));
        }
        ++at_;
        return true;
    }

    bool Control(ControlTemplate& control) {
        struct Statement {
            std::string_view name;
            std::uint32_t style;
        };
        static const Statement statements[] = {
            {"PUSHBUTTON", BS_PUSHBUTTON | WS_TABSTOP},
            {"DEFPUSHBUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP},
            {"GROUPBOX", BS_GROUPBOX},
            {"CHECKBOX", BS_CHECKBOX | WS_TABSTOP},
            {"AUTOCHECKBOX", BS_AUTOCHECKBOX | WS_TABSTOP},
            {"RADIOBUTTON", BS_RADIOBUTTON | WS_TABSTOP},
            {"AUTORADIOBUTTON", BS_AUTORADIOBUTTON | WS_TABSTOP},
        };
        const Statement* statement = nullptr;
        for (const Statement& candidate : statements) {
            if (IsName(candidate.name)) {
                statement = &candidate;
            }
        }
        if (statement == nullptr) {
            return Fail("control statement " + Peek().text + " not understood");
        }
        ++at_;
        if (Peek().kind != TokenKind::String) {
            return Fail("control needs a caption");
        }
        control.caption = tokens_[at_++].text;
        std::int64_t id = 0;
        if (!Expect(",") || !Expression(id) || !Expect(",") ||
            !Rectangle(control.x, control.y, control.cx, control.cy)) {
            return false;
        }
        // A DIALOG item's identifier is 16 bits: -1 is 65535.
        control.id = static_cast<int>(id & 0xFFFF);
        control.style = WS_CHILD | WS_VISIBLE | statement->style;
        if (IsPunct(",")) {
            ++at_;
            if (!Style(control.style)) {
                return false;
            }
            if (IsPunct(",")) {
                return Fail("extended styles are not understood");
            }
        }
        return true;
    }

    bool SkipBlock() {
        int depth = 0;
        while (!AtEnd()) {
            if (IsName("BEGIN") || IsPunct("{")) {
                ++depth;
            } else if (IsName("END") || IsPunct("}")) {
                if (--depth == 0) {
                    ++at_;
                    return true;
                }
                if (depth < 0) {
                    return Fail("END without BEGIN");
                }
            }
            ++at_;
        }
        return Fail("block without END");
    }

    const std::vector<Token>& tokens_;
    const std::map<std::string, std::vector<Token>, std::less<>>& macros_;
    std::size_t at_ = 0;
    std::uint16_t language_ = 0;
    int depth_ = 0;
    int nesting_ = 0;
    // Uses of definitions so far, counted across the readers of nested definitions.
    int expansionCount_ = 0;
    int* expansions_ = &expansionCount_;
};

} // namespace

ResourceScriptResult ReadResourceScript(std::string_view script,
                                        const std::vector<IncludedFile>& files) {
    ResourceScriptResult result;
    Preprocessor preprocessor(files);
    if (!preprocessor.Run(script, "resource script", 0)) {
        result.error = preprocessor.error;
        return result;
    }
    Reader reader(preprocessor.tokens, preprocessor.macros);
    if (!reader.Read(result.dialogs)) {
        result.dialogs.clear();
        result.error = reader.error;
    }
    return result;
}
