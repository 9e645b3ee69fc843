// Program start and the main dialog's requests, written once: the entry routine and
// kivo6-check's backtest replay the same sequence, so what the backtest measures is
// what the program does.
#include "core/program.h"

#include "core/generate/generators.h"
#include "core/generate/pick.h"
#include "core/stats/reports.h"
#include "core/stats/shares.h"

#include <algorithm>
#include <cstring>
#include <iterator>

int StartFromHistoryFile(const char* path, ReadingListener listener) {
    ResetToProgramLoad(); // which begins with ResetState
    if (ReadHistoryText(path, listener) == 0) {
        return 0;
    }
    ComputePercentages();
    return 1;
}

void StartFromDraws(const DrawRecord* rows, int count) {
    ResetToProgramLoad(); // which begins with ResetState
    const int first = std::max(count - HISTORY_CAPACITY, 0);
    for (int row = first; row < count; ++row) {
        std::memcpy(DrawHistory[row - first], rows[row], sizeof(DrawRecord));
    }
    drawCount = count - first;
    CountDraws();
    ComputePercentages();
}

const char* RequestType1() {
    if (excludePrevious != 0) {
        BeginResult("Pattern 2\n\n");
        GenerateUniformNoRepeat();
        GeneratePooledNoRepeat();
        GenerateInverseNoRepeat();
    } else {
        BeginResult("Pattern 1\n\n");
        GenerateUniform();
        GeneratePooled();
        GenerateInverse();
    }
    return ResultText;
}

const char* RequestType2() {
    BeginResult("Type 2\n\n");
    GenerateTickets();
    return ResultText;
}

namespace {

const char* RequestReport(void (*format)()) {
    std::fill(std::begin(ReportText), std::end(ReportText), '\0');
    format();
    return ReportText;
}

} // namespace

const char* RequestShareTable() {
    return RequestReport(FormatProbabilityReport);
}

const char* RequestRecentDraws() {
    return RequestReport(FormatRecentDraws);
}
