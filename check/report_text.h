// What kivo6-check's reports share in their layout: numbers and draws as KIVO6 writes
// them, decimals that do not depend on the locale, and tables whose columns line up in
// either language. The file check, --add, the backtest and --tickets use them.
#pragma once

#include "import/language.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <span>
#include <string>
#include <vector>

// "03", as KIVO6 writes a number ("%02d").
inline std::string TwoDigits(int number) {
    return (number >= 0 && number < 10 ? "0" : "") + std::to_string(number);
}

// "05 09 17", each number as KIVO6 writes it.
inline std::string TwoDigitNumbers(std::span<const int> numbers) {
    std::string text;
    for (int number : numbers) {
        text += (text.empty() ? "" : " ") + TwoDigits(number);
    }
    return text;
}

// A draw, six main numbers and the bonus: "05 09 17 28 30 37 + 27".
inline std::string DrawShown(const std::array<int, 7>& draw) {
    return TwoDigitNumbers(std::span(draw).first<6>()) + " + " + TwoDigits(draw[6]);
}

// Decimal text with a fixed number of places, independent of the locale.
inline std::string Fixed(double value, int places) {
    char buffer[64];
    auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, places);
    return std::string(buffer, result.ptr);
}

// Columns padded to their widest cell in terminal columns, three spaces apart, so the
// table lines up with Japanese text as well.
inline std::string Table(const std::vector<std::vector<std::string>>& rows) {
    std::vector<int> widths;
    for (const auto& row : rows) {
        widths.resize(std::max(widths.size(), row.size()), 0);
        for (std::size_t c = 0; c < row.size(); ++c) {
            widths[c] = std::max(widths[c], DisplayWidth(row[c]));
        }
    }
    std::string text;
    for (const auto& row : rows) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            text += row[c];
            if (c + 1 < row.size()) {
                text.append(static_cast<std::size_t>(widths[c] - DisplayWidth(row[c]) + 3), ' ');
            }
        }
        text += "\n";
    }
    return text;
}
