// Formatting the lines of suggestions and reports into small local buffers without
// printf and without the heap: the pick lines of the generators and the reports.
#pragma once

#include <charconv>
#include <cstddef>

// A line being formatted into a small local buffer that was cleared to zero: pieces go
// one after another, and what would not fit is left off, so the line stays terminated
// inside its buffer. Replaces printf's "%02d"-style formatting, which costs far more
// than the random steps of a whole request.
struct LineWriter {
    char* next;
    char* last; // the buffer's final character, kept for the terminator
};
// Inline: a request formats dozens of small pieces, and a call for each would cost
// more than the pieces themselves.
inline LineWriter StartLine(char* buffer, std::size_t capacity) {
    return {buffer, buffer + capacity - 1};
}

inline void PutText(LineWriter& line, const char* piece) {
    while (*piece != '\0' && line.next < line.last) {
        *line.next++ = *piece++;
    }
}

inline void PutChar(LineWriter& line, char c) {
    if (line.next < line.last) {
        *line.next++ = c;
    }
}

// The value in decimal, at least `width` characters, padded on the left with `pad`:
// printf's "%0Nd" with '0', "%Nd" with ' '.
inline void PutNumber(LineWriter& line, unsigned value, int width, char pad) {
    if (value < 100 && width == 2 && line.last - line.next >= 2) {
        // Every number of a suggestion line or a report: two digits, written directly.
        line.next[0] = value < 10 ? pad : static_cast<char>('0' + value / 10);
        line.next[1] = static_cast<char>('0' + value % 10);
        line.next += 2;
        return;
    }
    char digits[16];
    char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    for (std::ptrdiff_t length = end - digits; length < width; ++length) {
        PutChar(line, pad);
    }
    for (const char* digit = digits; digit < end; ++digit) {
        PutChar(line, *digit);
    }
}
