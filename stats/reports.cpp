// The share table (five entries a line) and the list of the ten most recent draws,
// each entry formatted into a cleared local buffer and appended to ReportText.
#include "stats/reports.h"

#include "history/state.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr int ENTRIES_PER_LINE = 5;
constexpr int RECENT_DRAWS_SHOWN = 10;

// The share rounded to one decimal, a tie going up (6.25 shows as 6.3). printf alone
// would round the binary value half to even; a float widened to double and multiplied
// by ten is exact, so this rounding works on the share's true decimal digits.
double ShareInTenths(float share) {
    return std::floor(static_cast<double>(share) * 10.0 + 0.5) / 10.0;
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
        // 回 and ％ in code page 932.
        std::snprintf(entry, sizeof entry, "[%02d]: %2d\x89\xf1: %3.1f\x81\x93  ", i + 1,
                      static_cast<int>(mainCounts[i]), ShareInTenths(percent[i]));
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
    char line[64];
    int oldestShown = drawCount - RECENT_DRAWS_SHOWN;
    if (oldestShown < 0) {
        oldestShown = 0;
    }
    for (int row = drawCount - 1; row >= oldestShown; --row) {
        const DrawRecord& draw = DrawHistory[row];
        std::memset(line, 0, sizeof line);
        std::snprintf(line, sizeof line, "No.%03d : [%02d][%02d][%02d][%02d][%02d][%02d]:[%02d]\n",
                      row + 1, draw[0], draw[1], draw[2], draw[3], draw[4], draw[5], draw[6]);
        AppendReport(line);
    }
}
