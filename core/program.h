// What the programs around the logic core call: program start from the history file
// or from draws already read, and the requests of the main dialog's buttons, each
// giving the text the dialog shows. The entry routine, the dialogs, kivo6-check,
// the benchmarks, the fuzzers and the tests all start and ask through these.
#pragma once

#include "core/history/history_file.h"
#include "core/history/state.h"

// The program's start: every variable as at load, ResetState, the history read from
// `path` (told to `listener` when one is given) and the shares and pool computed.
// 1 when the history was loaded; 0 after LoadHistoryText has shown why not, and
// then nothing is computed.
int StartFromHistoryFile(const char* path, ReadingListener listener = nullptr);

// The start the program would make had its history file held these draws, oldest
// first: the newest HISTORY_CAPACITY of them are kept, as the reader keeps them.
void StartFromDraws(const DrawRecord* rows, int count);

// "結果表示(Type1)": Pattern 2 when excludePrevious is set, else Pattern 1, with
// ParityMode applied; seeded from the clock. Returns ResultText.
const char* RequestType1();
// "結果表示(Type2)": five tickets under DecadeFlags and PastDrawFlags. Returns ResultText.
const char* RequestType2();
// "確立表示" and "過去の当選結果": ReportText cleared whole, then the report. Return ReportText.
const char* RequestShareTable();
const char* RequestRecentDraws();
