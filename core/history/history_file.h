// Reading data.txt into the draw history and the per-number counters.
// Called once at program start, right after ResetState; kivo6-check reads through
// ReadHistoryText with a listener to tell a user how each part of their file was read.
#pragma once

#include <cstdint>

// The reader's two failure boxes, and the entry routine's second box, which says the
// program stops. kivo6-check quotes all three.
inline constexpr char HISTORY_NOT_OPENED_TEXT[] = "Data Read ERROR";
inline constexpr char HISTORY_NO_MARKER_TEXT[] = "Error: Wrong File.\nThis file is not data.txt";
inline constexpr char LOAD_FAILED_TEXT[] = "ERROR ReadData";

// The history file KIVO6 reads from the current folder, and that every program
// around it writes or names.
inline constexpr char HISTORY_FILE_NAME[] = "data.txt";

// Where the reader's failure text goes when KIVO6 reads: the entry routine installs
// its message box here. Unset, a failure is shown nowhere.
extern void (*ShowHistoryFailure)(const char* text);

// 1 when the history was loaded (even with no draws), 0 after showing why it was not
// through ShowHistoryFailure.
int LoadHistoryText(const char* path);

// Counts every complete draw of DrawHistory into mainCounts, bonusCounts and
// mainTotal, which must start at zero.
void CountDraws();

// What the reader meets on its way through the file. Lines count from 1 (the marker
// line); columns count characters from 1, a CR before a newline not included.
enum class ReadingEvent : std::uint8_t {
    NotOpened,    // message: the reader's failure text
    NoMarker,     // message: the reader's failure text
    Value,        // one token converted and stored in the stream of values
    NulInLine,    // a NUL character: the rest of its line is not read
    LineEnded,    // a data line without "END" is done: length
    EndFound,     // "END" at column; the values stored from this line are taken back
    TextAfterEnd, // the first character after the END line that is not white space
    TextEnded,    // no more text: line, column; whether a Ctrl-Z hides bytes after it
};

struct ReadingNote {
    ReadingEvent event;
    int line;
    int column;
    const char* message;
    // Value: the token from column on, length characters, and what the decimal
    // conversion made of it. stopColumn is the first character it did not use (0 when
    // it used them all); unusedText says whether anything but white space was left.
    int length;
    int value;
    int leadCharacter; // the first character that is not white space, 0 when none
    bool hasDigits;
    int stopColumn;
    int stopCharacter;
    bool unusedText;
    bool digitAfterStop;
    std::int64_t draw; // Value: which draw of the file, from 0, and which of its values
    int position;
    // TextEnded: a Ctrl-Z ended the text, and bytes stand after it unread.
    bool bytesAfterCtrlZ;
};

using ReadingListener = void (*)(const ReadingNote& note);

// LoadHistoryText, told as it goes: each note goes to the listener as it happens,
// the reader reads on past "END" (storing nothing there) so that every part of the
// file is accounted for, and a failure's text goes to the listener instead of
// ShowHistoryFailure. With no listener it is LoadHistoryText. Nothing is allocated.
int ReadHistoryText(const char* path, ReadingListener listener);
