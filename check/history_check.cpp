// The file check of kivo6-check. KIVO6's reader does the reading, exactly as at
// start-up; a hook collects what it met, and the check sets that beside the history
// the reader left behind to say, with line and column, where the file is off.
#include "check/history_check.h"

#include "core/program.h"
#include "platform/text_decoding.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>

namespace {

std::vector<ReadingNote> heard;

void Listen(const ReadingNote& note) {
    heard.push_back(note);
}

struct Place {
    int line = 0;
    int column = 0;
};

Finding FindingAt(FindingKind kind, int line, int column) {
    Finding finding;
    finding.kind = kind;
    finding.line = line;
    finding.column = column;
    return finding;
}

// White space the decimal conversion skips in front of a number but that does not
// separate numbers in data.txt; only a space does.
bool IsOtherWhiteSpace(int c) {
    return c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// What the decimal conversion made of one token that KIVO6 keeps.
void CheckToken(const ReadingNote& note, std::vector<Finding>& findings) {
    if (!note.hasDigits) {
        Finding finding = FindingAt(FindingKind::ReadAsZero, note.line, note.column);
        finding.character = note.leadCharacter == 0 ? -1 : note.leadCharacter;
        findings.push_back(finding);
        return;
    }
    if (note.unusedText) {
        FindingKind kind = IsOtherWhiteSpace(note.stopCharacter) && note.digitAfterStop
                               ? FindingKind::NumberSplit
                               : FindingKind::CharacterSwallows;
        Finding finding = FindingAt(kind, note.line, note.stopColumn);
        finding.character = note.stopCharacter;
        finding.value = note.value;
        findings.push_back(finding);
    }
    if (!IsLotteryNumber(note.value)) {
        Finding finding = FindingAt(FindingKind::OutOfRange, note.line, note.column);
        finding.value = note.value;
        finding.stored = static_cast<std::uint8_t>(note.value);
        findings.push_back(finding);
    }
}

// Repeats, a bonus among the main numbers, and a draw spread over lines. draw counts
// the file's draws from 0.
struct DrawPlaces {
    Place at[DRAW_SIZE];
};

void CheckDraw(int draw, const FileDraw& values, const DrawPlaces& places,
               std::vector<Finding>& findings) {
    for (int position = 1; position < DRAW_SIZE; ++position) {
        if (places.at[position].line != places.at[0].line) {
            Finding finding =
                FindingAt(FindingKind::DrawSplit, places.at[0].line, places.at[0].column);
            finding.draw = draw + 1;
            finding.otherLine = places.at[DRAW_SIZE - 1].line;
            findings.push_back(finding);
            break;
        }
    }
    for (std::size_t position = 1; position < DRAW_SIZE; ++position) {
        if (!IsLotteryNumber(values[position])) {
            continue;
        }
        std::size_t last = position == DRAW_SIZE - 1 ? MAIN_NUMBERS : position;
        for (std::size_t earlier = 0; earlier < last; ++earlier) {
            if (values[earlier] != values[position]) {
                continue;
            }
            FindingKind kind =
                position == DRAW_SIZE - 1 ? FindingKind::BonusIsMain : FindingKind::RepeatedInDraw;
            Finding finding = FindingAt(kind, places.at[position].line, places.at[position].column);
            finding.stored = values[position];
            finding.draw = draw + 1;
            finding.otherLine = places.at[earlier].line;
            finding.otherColumn = places.at[earlier].column;
            findings.push_back(finding);
            break;
        }
    }
}

// Everything the reader met, once it is done: the values it kept, and what it skipped.
void AnalyseReading(HistoryCheck& check) {
    std::vector<Finding>& findings = check.findings;
    for (const ReadingNote& note : heard) {
        if (note.event == ReadingEvent::EndFound) {
            check.endLine = note.line;
        }
    }
    // Every draw of the file and where its values came from; KIVO6 keeps the newest.
    std::vector<DrawPlaces> places;
    std::vector<FileDraw>& draws = check.fileDraws;
    Finding onEndLine = FindingAt(FindingKind::ValuesOnEndLine, 0, 0);
    Finding incomplete = FindingAt(FindingKind::IncompleteLastDraw, 0, 0);
    for (const ReadingNote& note : heard) {
        switch (note.event) {
        case ReadingEvent::Value: {
            if (note.line == check.endLine) {
                if (onEndLine.count++ == 0) {
                    onEndLine.line = note.line;
                    onEndLine.column = note.column;
                }
                continue;
            }
            const auto draw = static_cast<std::size_t>(note.draw);
            if (draw == draws.size()) {
                draws.emplace_back();
                places.emplace_back();
            }
            draws[draw][static_cast<std::size_t>(note.position)] =
                static_cast<std::uint8_t>(note.value);
            places[draw].at[note.position] = {note.line, note.column};
            CheckToken(note, findings);
            break;
        }
        case ReadingEvent::NulInLine:
            findings.push_back(FindingAt(FindingKind::NulInLine, note.line, note.column));
            break;
        case ReadingEvent::LineEnded:
            if (note.length > LONGEST_LINE) {
                findings.push_back(FindingAt(FindingKind::LongLine, note.line, LONGEST_LINE + 1));
            }
            break;
        case ReadingEvent::TextAfterEnd: {
            Finding finding = FindingAt(FindingKind::TextAfterEnd, note.line, note.column);
            finding.otherLine = check.endLine;
            findings.push_back(finding);
            break;
        }
        case ReadingEvent::TextEnded:
            findings.push_back(
                FindingAt(note.bytesAfterCtrlZ ? FindingKind::CtrlZ : FindingKind::NoEnd, note.line,
                          note.column));
            break;
        case ReadingEvent::NotOpened:
        case ReadingEvent::NoMarker:
        case ReadingEvent::EndFound:
            break;
        }
    }
    // The stream's last values that never made a seventh.
    if (!places.empty() && places[places.size() - 1].at[DRAW_SIZE - 1].line == 0) {
        const DrawPlaces& last = places[places.size() - 1];
        incomplete.line = last.at[0].line;
        incomplete.column = last.at[0].column;
        while (incomplete.count < DRAW_SIZE && last.at[incomplete.count].line != 0) {
            ++incomplete.count;
        }
        findings.push_back(incomplete);
        draws.pop_back();
        places.pop_back();
    }
    if (onEndLine.count > 0) {
        findings.push_back(onEndLine);
    }
    const auto whole = static_cast<int>(draws.size());
    for (int draw = 0; draw < whole; ++draw) {
        CheckDraw(draw, draws[static_cast<std::size_t>(draw)],
                  places[static_cast<std::size_t>(draw)], findings);
    }
    check.draws = whole;
    if (whole == 0) {
        findings.push_back(FindingAt(FindingKind::NoDraws, 0, 0));
        return;
    }
    if (whole > HISTORY_CAPACITY) {
        const Place& first = places[static_cast<std::size_t>(whole - HISTORY_CAPACITY)].at[0];
        Finding older = FindingAt(FindingKind::OlderDrawsUnused, first.line, first.column);
        older.count = whole;
        findings.push_back(older);
    }
    check.firstDrawLine = places.front().at[0].line;
    check.lastDrawLine = places.back().at[0].line;
    std::copy(draws.back().begin(), draws.back().end(), check.latest.begin());
}

// The file's lines as KIVO6's reader splits them. The reader counts bytes; a user's
// editor counts characters, and a finding names the character it is about.
class FileCharacters {
  public:
    FileCharacters(std::string_view bytes, TextEncoding encoding)
        : text_(bytes.substr(0, bytes.find('\x1a'))), // a Ctrl-Z ends the text
          utf16_(encoding == TextEncoding::Utf16LittleEndian ||
                 encoding == TextEncoding::Utf16BigEndian),
          utf8_(encoding == TextEncoding::Utf8) {
        for (std::size_t at = 0; at < text_.size(); ++at) {
            if (text_[at] == '\n') {
                starts_.push_back(at + 1);
            }
        }
    }

    // The column in characters of the reader's byte column on line; 0 for none, and
    // for a UTF-16 file, whose characters KIVO6 never reads as such.
    int Column(int line, int column) const {
        if (utf16_ || column <= 0) {
            return 0;
        }
        const std::string_view text = Line(line);
        const auto offset = static_cast<std::size_t>(column - 1);
        // The characters that start at or before the byte; a byte past the line's end
        // stands one column further for each byte.
        int characters = 0;
        std::size_t at = 0;
        for (; at <= offset && at < text.size(); at += Length(text, at)) {
            ++characters;
        }
        return characters + static_cast<int>(offset >= at ? offset - at + 1 : 0);
    }

    // Names the character outside ASCII at the byte column, past the white space the
    // decimal conversion skips.
    void Name(int line, int column, Finding& finding) const {
        const std::string_view text = Line(line);
        std::size_t at = static_cast<std::size_t>(column - 1);
        while (at < text.size() && std::string_view("\t\v\f\r").find(text[at]) != text.npos) {
            ++at;
        }
        if (utf16_ || at >= text.size() || static_cast<unsigned char>(text[at]) < 0x80) {
            return;
        }
        const std::string_view bytes = text.substr(at, Length(text, at));
        char code[16];
        if (utf8_) {
            std::size_t next = 0;
            std::snprintf(code, sizeof code, "U+%04X",
                          static_cast<unsigned>(NextCodePoint(bytes, next).value_or(0xFFFD)));
            finding.glyph = bytes;
        } else {
            unsigned value = 0;
            for (char byte : bytes) {
                value = (value << 8) | static_cast<unsigned char>(byte);
            }
            std::snprintf(code, sizeof code, "0x%0*X", static_cast<int>(bytes.size() * 2), value);
            // Shown as the user's editor shows it, unless it is no character at all.
            const std::string glyph = DecodeToUtf8(bytes, ForeignEncoding::CodePage932);
            if (glyph.find("\xEF\xBF\xBD") == std::string::npos) {
                finding.glyph = glyph;
            }
        }
        finding.code = code;
    }

  private:
    std::string_view Line(int line) const {
        if (line < 1 || static_cast<std::size_t>(line) > starts_.size()) {
            return {};
        }
        const std::size_t start = starts_[static_cast<std::size_t>(line - 1)];
        std::string_view text = text_.substr(start, text_.find('\n', start) - start);
        // The reader never sees a CR before the newline.
        return text.ends_with('\r') ? text.substr(0, text.size() - 1) : text;
    }

    // The bytes of the character that starts at `at`.
    std::size_t Length(std::string_view text, std::size_t at) const {
        const auto lead = static_cast<unsigned char>(text[at]);
        std::size_t length = 1;
        if (utf8_) {
            length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        } else if ((lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC)) {
            length = 2;
        }
        return std::min(length, text.size() - at);
    }

    std::string_view text_;
    bool utf16_;
    bool utf8_;
    std::vector<std::size_t> starts_{0};
};

// Turns the reader's byte columns into characters, and names the characters outside
// ASCII that the findings are about.
void CountInCharacters(std::string_view bytes, const HistoryShape& shape,
                       std::vector<Finding>& findings) {
    const FileCharacters text(bytes, shape.encoding);
    for (Finding& finding : findings) {
        if (finding.character >= 0x80) {
            text.Name(finding.line, finding.column, finding);
        }
        finding.column = text.Column(finding.line, finding.column);
        finding.otherColumn = text.Column(finding.otherLine, finding.otherColumn);
    }
}

} // namespace

bool IsRefusal(FindingKind kind) {
    return kind == FindingKind::CannotOpen || kind == FindingKind::NoMarker;
}

bool IsNote(FindingKind kind) {
    return kind == FindingKind::OlderDrawsUnused;
}

HistoryCheck CheckHistoryFile(const char* path) {
    HistoryCheck check;
    std::string bytes;
    const FileProblem problem = ReadWholeFile(path, bytes);
    if (problem == FileProblem::TooLarge) {
        // Too much to explain value by value; KIVO6 itself would still read it.
        Finding finding = FindingAt(FindingKind::CannotOpen, 0, 0);
        finding.value = static_cast<int>(problem);
        check.findings.push_back(finding);
        return check;
    }
    heard.clear();
    check.starts = StartFromHistoryFile(path, Listen) == 1;
    if (check.starts) {
        AnalyseReading(check);
    }
    for (const ReadingNote& note : heard) {
        if (note.event == ReadingEvent::NotOpened || note.event == ReadingEvent::NoMarker) {
            // A file that cannot be opened has no place to point at, only a reason.
            bool opened = note.event == ReadingEvent::NoMarker;
            Finding finding = FindingAt(opened ? FindingKind::NoMarker : FindingKind::CannotOpen,
                                        opened ? note.line : 0, opened ? note.column : 0);
            finding.value = static_cast<int>(problem);
            check.findings.push_back(finding);
            check.shownMessages = {note.message, LOAD_FAILED_TEXT};
        }
    }
    heard.clear();
    // A file that cannot be read has no shape to name; its reason says it all.
    if (problem == FileProblem::None) {
        check.meant = ReadHistoryAsMeant(bytes);
        CountInCharacters(bytes, check.meant.shape, check.findings);
    }
    std::stable_sort(check.findings.begin(), check.findings.end(),
                     [](const Finding& a, const Finding& b) {
                         return a.line != b.line ? a.line < b.line : a.column < b.column;
                     });
    return check;
}

int CheckExitStatus(const HistoryCheck& check) {
    if (!check.starts) {
        return 2;
    }
    const bool warned = std::any_of(check.findings.begin(), check.findings.end(),
                                    [](const Finding& finding) { return !IsNote(finding.kind); });
    return !warned && CausesOf(check.meant.shape).empty() ? 0 : 1;
}

std::vector<ShapeCause> CausesOf(const HistoryShape& shape) {
    std::vector<ShapeCause> causes;
    const auto add = [&causes](bool applies, ShapeCause cause) {
        if (applies) {
            causes.push_back(cause);
        }
    };
    add(shape.encoding == TextEncoding::Utf16LittleEndian ||
            shape.encoding == TextEncoding::Utf16BigEndian,
        ShapeCause::Utf16);
    // An export's header row stands where the marker should; its cause says so.
    add(shape.noMarkerLine && !shape.headerRow, ShapeCause::FirstLineIsADraw);
    add(shape.lowercaseMarker, ShapeCause::LowercaseMarker);
    add(shape.headerRow, ShapeCause::HeaderRow);
    add(shape.separator != ' ', ShapeCause::Separator);
    add(shape.drawNumbers && !shape.dates, ShapeCause::DrawNumbers);
    add(shape.dates && !shape.drawNumbers, ShapeCause::Dates);
    add(shape.dates && shape.drawNumbers, ShapeCause::DrawNumbersAndDates);
    add(shape.fullWidth, ShapeCause::FullWidth);
    add(shape.lowercaseEnd, ShapeCause::LowercaseEnd);
    add(shape.newestFirst, ShapeCause::NewestFirst);
    return causes;
}
