// The share table (five entries a line) and the list of the ten most recent draws,
// each entry formatted into a cleared local buffer and appended to ReportText.
#include "core/stats/reports.h"

#include "core/history/line_writer.h"
#include "core/history/state.h"

#include <cmath>
#include <cstring>

namespace {

constexpr int ENTRIES_PER_LINE = 5;
constexpr int RECENT_DRAWS_SHOWN = 10;

// The share in tenths, a tie going up (6.25 shows as 6.3). printf's "%.1f" would round
// the binary value half to even; a float widened to double and multiplied by ten is
// exact, so this rounding works on the share's true decimal digits.
unsigned ShareInTenths(float share) {
    return static_cast<unsigned>(std::floor(static_cast<double>(share) * 10.0 + 0.5));
}

void AppendReport(const char* piece) {
    AppendToText(ReportText, sizeof ReportText, piece);
}

} // namespace

void FormatProbabilityReport() {
    char entry[40];
    int entriesOnLine = 0;
    for (int i = 0; i < NUMBER_COUNT; ++i) {
        std::memset(entry, 0, sizeof entry);
        LineWriter line = StartLine(entry, sizeof entry);
        // "[%02d]: %2d回: %3.1f％  " with 回 and ％ in code page 932; a share is at
        // most 100, so "%3.1f" never pads.
        unsigned tenths = ShareInTenths(percent[i]);
        PutText(line, "[");
        PutNumber(line, static_cast<unsigned>(i + 1), 2, '0');
        PutText(line, "]: ");
        PutNumber(line, mainCounts[i], 2, ' ');
        PutText(line, "\x89\xf1: ");
        PutNumber(line, tenths / 10, 1, ' ');
        PutText(line, ".");
        PutNumber(line, tenths % 10, 1, ' ');
        PutText(line, "\x81\x93  ");
        AppendReport(entry);
        if (++entriesOnLine == ENTRIES_PER_LINE) {
            AppendReport("\n");
            entriesOnLine = 0;
        }
    }
}

void FormatRecentDraws() {
    // Room for three-digit values, which a hand-edited file can hold, and any row
    // number: such a line is printed in full rather than cut.
    char buffer[64];
    int oldestShown = drawCount - RECENT_DRAWS_SHOWN;
    if (oldestShown < 0) {
        oldestShown = 0;
    }
    for (int row = drawCount - 1; row >= oldestShown; --row) {
        const DrawRecord& draw = DrawHistory[row];
        std::memset(buffer, 0, sizeof buffer);
        // "No.%03d : [%02d][%02d][%02d][%02d][%02d][%02d]:[%02d]\n"
        LineWriter line = StartLine(buffer, sizeof buffer);
        PutText(line, "No.");
        PutNumber(line, static_cast<unsigned>(row + 1), 3, '0');
        PutText(line, " : ");
        for (int position = 0; position < DRAW_SIZE; ++position) {
            PutText(line, position == MAIN_NUMBERS ? ":[" : "[");
            PutNumber(line, draw[position], 2, '0');
            PutText(line, "]");
        }
        PutText(line, "\n");
        AppendReport(buffer);
    }
}
