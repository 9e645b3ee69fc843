// The data.txt reader: a marker line with "KIVO", then numbers separated by spaces
// forming one stream in which every seventh value completes a draw, up to an "END"
// line. The newest 256 draws are kept, however long the file. It is consumed a byte at
// a time through one small buffer, so a line or a token of any length is read whole
// without ever overrunning storage. When a listener is given, the reader tells it
// where each part of the file went.
#include "core/history/history_file.h"

#include "core/history/state.h"
#include "platform/raw_file.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>

namespace {

// Who hears the notes of the reading under way; none while KIVO6 itself reads.
ReadingListener listener;

constexpr int END_OF_TEXT = -1;
constexpr int CTRL_Z = 0x1A;
constexpr int MARKER_SEARCH_LIMIT = 255;
constexpr std::int64_t MAGNITUDE_CAP = std::int64_t{INT_MAX} + 2; // beyond any int

// Text-mode view of the raw file, as a Windows program sees it: a CR directly
// before LF is dropped and Ctrl-Z ends the file.
RawFile sourceFile;
// A typical history in one read, and a long one in few enough that the system calls
// cost little beside the reading itself.
char readBuffer[65536];
int readLength;
int readPosition;
int heldByte; // a byte looked at after a CR and not yet handed out
bool sourceEnded;
// How far NextTextChar may hand out buffered bytes without a look at the two above:
// readLength while no byte is held and the text goes on, else 0.
int directEnd;
bool endedByCtrlZ;

// Where the stream of values stands. While reading, DrawHistory is a ring: draw d of
// the file (from 0) goes to row d % HISTORY_CAPACITY, so it always holds the newest
// draws read. The draw being filled waits in pendingDraw, because in a long file its
// row still holds one of the newest draws until the seventh value arrives.
std::int64_t drawsRead;
std::uint8_t pendingDraw[DRAW_SIZE];
int column;

// The stream as the current line found it, and the rows its completed draws replaced
// (the first HISTORY_CAPACITY of them; later ones land on rows already saved), so an
// "END" on the line can take the whole line back.
std::int64_t lineDrawsRead;
std::uint8_t linePendingDraw[DRAW_SIZE];
int lineStartColumn;
DrawRecord replacedRows[HISTORY_CAPACITY];

// Where the reader stands in the text, for the notes: the line, and how far into it
// the text was read.
int textLine;
int textColumn;
bool textLineOpen; // the text ran out inside textLine, before its newline

// The value of the token being read, built as the standard decimal conversion does
// (leading white space, optional sign, digits up to the first non-digit) but without
// a length limit; beyond the range of int it saturates.
enum class TokenPhase { LeadingSpace, AfterSign, Digits, Finished };
TokenPhase tokenPhase;
bool tokenNegative;
std::int64_t tokenMagnitude;

// How the conversion went, for the notes: where the token started, whether it met a
// digit, and where and on what it stopped with characters still to come.
int tokenStartColumn;
int tokenLeadCharacter;
bool tokenHasDigits;
int tokenStopColumn;
int tokenStopCharacter;
bool tokenUnusedText;
bool tokenDigitAfterStop;

void OpenSource(RawFile file) {
    sourceFile = file;
    readLength = 0;
    readPosition = 0;
    heldByte = END_OF_TEXT;
    sourceEnded = false;
    directEnd = 0;
    endedByCtrlZ = false;
}

int NextRawByte() {
    if (readPosition == readLength) {
        readLength = ReadRawFile(sourceFile, readBuffer, static_cast<int>(sizeof readBuffer));
        readPosition = 0;
        if (readLength <= 0) {
            readLength = 0;
            return END_OF_TEXT;
        }
    }
    return static_cast<unsigned char>(readBuffer[readPosition++]);
}

int TakeTextCharSlowly() {
    if (sourceEnded) {
        return END_OF_TEXT;
    }
    int c = heldByte;
    heldByte = END_OF_TEXT;
    if (c == END_OF_TEXT) {
        c = NextRawByte();
    }
    if (c == '\r') {
        int following = NextRawByte();
        if (following == '\n') {
            return '\n';
        }
        heldByte = following;
    }
    if (c == END_OF_TEXT || c == CTRL_Z) {
        sourceEnded = true;
        endedByCtrlZ = c == CTRL_Z;
        return END_OF_TEXT;
    }
    return c;
}

int NextTextCharSlowly() {
    const int c = TakeTextCharSlowly();
    directEnd = heldByte == END_OF_TEXT && !sourceEnded ? readLength : 0;
    return c;
}

// Nearly every byte is already in the buffer and is neither CR nor Ctrl-Z; handing
// it out directly keeps loading a full history at a few cycles a byte.
inline int NextTextChar() {
    if (readPosition < directEnd) {
        int c = static_cast<unsigned char>(readBuffer[readPosition]);
        if (c != '\r' && c != CTRL_Z) {
            ++readPosition;
            return c;
        }
    }
    return NextTextCharSlowly();
}

// Progress of a search for a word whose first letter does not recur in it ("KIVO",
// "END"): after a mismatch the only possible new start is the character itself.
int AdvanceMatch(const char* word, int matched, int c) {
    if (c == word[matched]) {
        return matched + 1;
    }
    return c == word[0] ? 1 : 0;
}

bool IsConversionSpace(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

void BeginToken(int atColumn) {
    tokenPhase = TokenPhase::LeadingSpace;
    tokenNegative = false;
    tokenMagnitude = 0;
    tokenStartColumn = atColumn;
    tokenLeadCharacter = 0;
    tokenHasDigits = false;
    tokenStopColumn = 0;
    tokenStopCharacter = 0;
    tokenUnusedText = false;
    tokenDigitAfterStop = false;
}

void FeedToken(int c, int atColumn) {
    bool digit = c >= '0' && c <= '9';
    switch (tokenPhase) {
    case TokenPhase::LeadingSpace:
        if (IsConversionSpace(c)) {
            return;
        }
        tokenLeadCharacter = c;
        if (c == '+' || c == '-') {
            tokenNegative = c == '-';
            tokenPhase = TokenPhase::AfterSign;
            return;
        }
        break;
    case TokenPhase::AfterSign:
    case TokenPhase::Digits:
        break;
    case TokenPhase::Finished:
        tokenUnusedText |= !IsConversionSpace(c);
        tokenDigitAfterStop |= digit;
        return;
    }
    if (!digit) {
        tokenPhase = TokenPhase::Finished;
        tokenStopColumn = atColumn;
        tokenStopCharacter = c;
        tokenUnusedText = !IsConversionSpace(c);
        return;
    }
    tokenPhase = TokenPhase::Digits;
    tokenHasDigits = true;
    tokenMagnitude = tokenMagnitude * 10 + (c - '0');
    if (tokenMagnitude > MAGNITUDE_CAP) {
        tokenMagnitude = MAGNITUDE_CAP;
    }
}

int TokenValue() {
    if (tokenNegative) {
        return tokenMagnitude > -std::int64_t{INT_MIN} ? INT_MIN
                                                       : static_cast<int>(-tokenMagnitude);
    }
    return tokenMagnitude > INT_MAX ? INT_MAX : static_cast<int>(tokenMagnitude);
}

int RingRow(std::int64_t draw) {
    return static_cast<int>(draw % HISTORY_CAPACITY);
}

void StoreValue(int value) {
    pendingDraw[column] = static_cast<std::uint8_t>(value);
    ++column;
    if (column < DRAW_SIZE) {
        return;
    }
    const std::int64_t completedOnLine = drawsRead - lineDrawsRead;
    DrawRecord& row = DrawHistory[RingRow(drawsRead)];
    if (completedOnLine < HISTORY_CAPACITY) {
        std::memcpy(replacedRows[completedOnLine], row, sizeof row);
    }
    std::memcpy(row, pendingDraw, sizeof row);
    std::memset(pendingDraw, 0, sizeof pendingDraw);
    ++drawsRead;
    column = 0;
}

void BeginLineValues() {
    lineDrawsRead = drawsRead;
    lineStartColumn = column;
    std::memcpy(linePendingDraw, pendingDraw, sizeof pendingDraw);
}

// The line that held "END" contributes nothing, though its values were stored while it
// was being read: the rows its draws replaced get their draws back.
void TakeBackLineValues() {
    const std::int64_t replaced =
        std::min<std::int64_t>(drawsRead - lineDrawsRead, HISTORY_CAPACITY);
    for (std::int64_t k = 0; k < replaced; ++k) {
        std::memcpy(DrawHistory[RingRow(lineDrawsRead + k)], replacedRows[k], sizeof(DrawRecord));
    }
    drawsRead = lineDrawsRead;
    column = lineStartColumn;
    std::memcpy(pendingDraw, linePendingDraw, sizeof pendingDraw);
}

// Turns the ring into the history: the newest draws in file order from row 0, and the
// values of an unfinished draw in the row after them while there is one free.
void SettleHistory() {
    if (drawsRead <= HISTORY_CAPACITY) {
        drawCount = static_cast<std::int32_t>(drawsRead);
        if (drawCount < HISTORY_CAPACITY) {
            std::memcpy(DrawHistory[drawCount], pendingDraw, sizeof pendingDraw);
        }
        return;
    }
    // Three reversals rotate the oldest kept draw, at the ring's next row, up to row 0.
    DrawRecord* const rows = DrawHistory;
    DrawRecord* const oldest = rows + RingRow(drawsRead);
    std::reverse(rows, oldest);
    std::reverse(oldest, rows + HISTORY_CAPACITY);
    std::reverse(rows, rows + HISTORY_CAPACITY);
    drawCount = HISTORY_CAPACITY;
}

ReadingNote NoteAt(ReadingEvent event, int line, int atColumn) {
    ReadingNote note{};
    note.event = event;
    note.line = line;
    note.column = atColumn;
    return note;
}

void NoteValue(int value, int endColumn) {
    ReadingNote note = NoteAt(ReadingEvent::Value, textLine, tokenStartColumn);
    note.length = endColumn - tokenStartColumn;
    note.value = value;
    note.leadCharacter = tokenLeadCharacter;
    note.hasDigits = tokenHasDigits;
    note.stopColumn = tokenStopColumn;
    note.stopCharacter = tokenStopCharacter;
    note.unusedText = tokenUnusedText;
    note.digitAfterStop = tokenDigitAfterStop;
    note.draw = drawsRead;
    note.position = column;
    listener(note);
}

// endColumn: the column just after the token's last character. Once for each value
// of the file, so kept inline.
inline void EndToken(int endColumn) {
    int value = TokenValue();
    if (listener != nullptr) {
        NoteValue(value, endColumn);
    }
    StoreValue(value);
}

// Reads line 1 to its end. True when "KIVO" stands in its first 255 characters
// (before any NUL, which ends the line's text).
bool ReadMarkerLine() {
    int matched = 0;
    int position = 0;
    bool found = false;
    bool searching = true;
    int c = NextTextChar();
    for (; c != END_OF_TEXT && c != '\n'; c = NextTextChar()) {
        ++textColumn;
        if (!searching) {
            continue;
        }
        if (c == '\0' || position == MARKER_SEARCH_LIMIT) {
            searching = false;
            continue;
        }
        ++position;
        matched = AdvanceMatch("KIVO", matched, c);
        if (matched == 4) {
            found = true;
            searching = false;
        }
    }
    textLineOpen = c != '\n';
    return found;
}

enum class LineOutcome { More, EndLine, EndOfText };

// With a hook listening: finds the first text after the END line, which KIVO6 never
// reads, and says where it stands.
void NoteTextAfterEnd() {
    int c = NextTextChar();
    while (c != END_OF_TEXT && c != '\n') {
        c = NextTextChar();
    }
    int line = textLine + 1;
    int lineColumn = 0;
    for (c = NextTextChar(); c != END_OF_TEXT; c = NextTextChar()) {
        if (c == '\n') {
            ++line;
            lineColumn = 0;
            continue;
        }
        ++lineColumn;
        if (!IsConversionSpace(c)) {
            listener(NoteAt(ReadingEvent::TextAfterEnd, line, lineColumn));
            return;
        }
    }
}

// Reads one data line, storing its values; a line holding "END" leaves no value behind.
LineOutcome ReadDataLine() {
    BeginLineValues();
    int endMatched = 0;
    bool inToken = false;
    bool cutOff = false;
    int c = NextTextChar();
    if (c == END_OF_TEXT) {
        return LineOutcome::EndOfText;
    }
    ++textLine;
    // The column stays in a register here: this loop sees every byte of the file.
    int at = 0;
    for (; c != END_OF_TEXT && c != '\n'; c = NextTextChar()) {
        ++at;
        // The digits of a number already begun, by far the most common byte: no word
        // can match through a digit, and the conversion only adds it.
        if (c >= '0' && c <= '9' && !cutOff) {
            if (inToken && tokenPhase == TokenPhase::Digits) {
                endMatched = 0;
                tokenMagnitude = std::min(tokenMagnitude * 10 + (c - '0'), MAGNITUDE_CAP);
                continue;
            }
            // A number's first digit: with nobody listening, only its value is kept.
            if (!inToken && listener == nullptr) {
                endMatched = 0;
                inToken = true;
                tokenPhase = TokenPhase::Digits;
                tokenNegative = false;
                tokenMagnitude = c - '0';
                continue;
            }
        }
        if (cutOff) {
            continue;
        }
        if (c == ' ') {
            endMatched = 0;
            if (inToken) {
                EndToken(at);
                inToken = false;
            }
            continue;
        }
        if (c == '\0') {
            cutOff = true;
            if (listener != nullptr) {
                listener(NoteAt(ReadingEvent::NulInLine, textLine, at));
            }
        } else {
            endMatched = AdvanceMatch("END", endMatched, c);
            if (endMatched == 3) {
                TakeBackLineValues();
                if (listener != nullptr) {
                    listener(NoteAt(ReadingEvent::EndFound, textLine, at - 2));
                    NoteTextAfterEnd();
                }
                return LineOutcome::EndLine;
            }
        }
        if (c == '\0') {
            if (inToken) {
                EndToken(at);
                inToken = false;
            }
            continue;
        }
        if (!inToken) {
            BeginToken(at);
            inToken = true;
        }
        FeedToken(c, at);
    }
    if (inToken) {
        EndToken(at + 1);
    }
    textColumn = at;
    textLineOpen = c != '\n';
    if (listener != nullptr) {
        ReadingNote note = NoteAt(ReadingEvent::LineEnded, textLine, 1);
        note.length = at;
        listener(note);
    }
    return c == END_OF_TEXT ? LineOutcome::EndOfText : LineOutcome::More;
}

// With a hook listening: where the text ran out without an "END" line.
void NoteTextEnded() {
    ReadingNote note = textLineOpen ? NoteAt(ReadingEvent::TextEnded, textLine, textColumn + 1)
                                    : NoteAt(ReadingEvent::TextEnded, textLine + 1, 1);
    note.bytesAfterCtrlZ =
        endedByCtrlZ && (heldByte != END_OF_TEXT || NextRawByte() != END_OF_TEXT);
    listener(note);
}

void ShowLoadFailure(ReadingEvent event, const char* text) {
    if (listener != nullptr) {
        ReadingNote note = NoteAt(event, 1, 1);
        note.message = text;
        listener(note);
    } else if (ShowHistoryFailure != nullptr) {
        ShowHistoryFailure(text);
    }
}

} // namespace

void (*ShowHistoryFailure)(const char* text);

void CountDraws() {
    for (int row = 0; row < drawCount; ++row) {
        for (int position = 0; position < DRAW_SIZE; ++position) {
            int value = DrawHistory[row][position];
            bool bonus = position == DRAW_SIZE - 1;
            if (!bonus) {
                ++mainTotal;
            }
            // Values outside 1..43 name no number: they are kept, but counted nowhere.
            if (!IsLotteryNumber(value)) {
                continue;
            }
            if (bonus) {
                ++bonusCounts[value - 1];
            } else {
                ++mainCounts[value - 1];
            }
        }
    }
}

int LoadHistoryText(const char* path) {
    return ReadHistoryText(path, nullptr);
}

int ReadHistoryText(const char* path, ReadingListener listenTo) {
    listener = listenTo;
    RawFile file = OpenRawFile(path);
    if (file == NO_RAW_FILE) {
        ShowLoadFailure(ReadingEvent::NotOpened, HISTORY_NOT_OPENED_TEXT);
        return 0;
    }
    OpenSource(file);
    textLine = 1;
    textColumn = 0;
    if (!ReadMarkerLine()) {
        ShowLoadFailure(ReadingEvent::NoMarker, HISTORY_NO_MARKER_TEXT);
        CloseRawFile(file);
        return 0;
    }
    drawsRead = 0;
    column = 0;
    std::memset(pendingDraw, 0, sizeof pendingDraw);
    drawCount = 0;
    LineOutcome outcome = LineOutcome::More;
    while (outcome == LineOutcome::More) {
        outcome = ReadDataLine();
    }
    if (listener != nullptr && outcome == LineOutcome::EndOfText) {
        NoteTextEnded();
    }
    CloseRawFile(file);
    SettleHistory();
    CountDraws();
    return 1;
}
