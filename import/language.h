// The two languages of the texts written outside the dialogs: kivo6-check's, and
// those of reading a history as meant, which kivo6's first run shows too. Each
// program picks one from the locale; every text comes in both.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

enum class Language { English, Japanese };

// The text in the chosen language; both are UTF-8.
constexpr const char* InLanguage(Language language, const char* english, const char* japanese) {
    return language == Language::Japanese ? japanese : english;
}

// The pattern with each "{0}" .. "{9}" replaced by that part: texts in two languages
// put their figures in different orders.
inline std::string Fill(std::string_view pattern, std::initializer_list<std::string_view> parts) {
    std::string text;
    for (std::size_t at = 0; at < pattern.size(); ++at) {
        if (pattern[at] == '{' && at + 2 < pattern.size() && pattern[at + 2] == '}' &&
            pattern[at + 1] >= '0' && pattern[at + 1] <= '9') {
            auto index = static_cast<std::size_t>(pattern[at + 1] - '0');
            if (index < parts.size()) {
                text += parts.begin()[index];
                at += 2;
                continue;
            }
        }
        text += pattern[at];
    }
    return text;
}

// A count with its thousands grouped, "1,566", as both languages write a count of draws.
inline std::string GroupedNumber(long long value) {
    std::string digits = std::to_string(value < 0 ? -value : value);
    for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3) {
        digits.insert(static_cast<std::size_t>(at), 1, ',');
    }
    return value < 0 ? "-" + digits : digits;
}

// A file name as a word of a command the user may copy: quoted when a shell would
// split or expand it.
inline std::string CommandWord(std::string_view name) {
    if (!name.empty() && name.find_first_of(" \t'\"$&;|<>()*?`\\") == std::string_view::npos) {
        return std::string(name);
    }
    return "\"" + std::string(name) + "\"";
}

// The terminal columns UTF-8 text takes: wide East Asian characters (kana, kanji,
// full-width forms) take two, others one. Lines up the backtest's table in either
// language and tells the progress meter how much of a line to clear.
constexpr int DisplayWidth(std::string_view text) {
    int width = 0;
    for (std::size_t i = 0; i < text.size();) {
        auto lead = static_cast<unsigned char>(text[i]);
        int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t code = length == 1   ? lead
                        : length == 2 ? lead & 0x1Fu
                        : length == 3 ? lead & 0x0Fu
                                      : lead & 0x07u;
        for (int k = 1; k < length && i + static_cast<std::size_t>(k) < text.size(); ++k) {
            code = (code << 6) |
                   (static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]) & 0x3Fu);
        }
        bool wide = (code >= 0x1100 && code <= 0x115F) || (code >= 0x2E80 && code <= 0xA4CF) ||
                    (code >= 0xAC00 && code <= 0xD7A3) || (code >= 0xF900 && code <= 0xFAFF) ||
                    (code >= 0xFE30 && code <= 0xFE4F) || (code >= 0xFF00 && code <= 0xFF60) ||
                    (code >= 0xFFE0 && code <= 0xFFE6) || (code >= 0x20000 && code <= 0x3FFFD);
        width += wide ? 2 : 1;
        i += static_cast<std::size_t>(length);
    }
    return width;
}
