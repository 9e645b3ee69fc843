// Writing a history read as meant over a file, as kivo6-check --fix does in place and
// as the start from Explorer writes data.txt: the file as it was is kept first, and a
// failure at any point leaves it whole. main.cpp and explorer_start.cpp use it.
#pragma once

#include "import/history_as_meant.h"
#include "import/language.h"

#include <string>

// A copy of the file under the first free name of FILE.orig, FILE.orig.1, ..., beside
// the file a link leads to; empty when none could be made.
std::string KeepBackup(const std::string& file);

// The exit status (0 written, 2 not) and what to say: FormatFixDone's text, or the
// error naming the file.
struct FixWritten {
    int status = 0;
    std::string text;
};
// Writes the history (without a refusal) as `target`; an existing target is kept by
// KeepBackup first, and is not replaced when that fails.
FixWritten WriteFixedHistory(const std::string& target, const HistoryAsMeant& history,
                             Language language);
