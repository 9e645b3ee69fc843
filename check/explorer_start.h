// kivo6-check started from Explorer, by a double-click or a file dropped on it: its
// console window would close before anything could be read. main.cpp keeps it open,
// and offers to write data.txt from a dropped export; the tests play the user.
#pragma once

#include "check/history_check.h"
#include "import/language.h"
#include "platform/console.h"

#include <string>
#include <string_view>

// The console calls the start from Explorer makes, so that a test can stand in.
struct ExplorerConsole {
    bool (*closesWithProgram)();
    bool (*readLine)(std::string& line);
    std::string (*programFolder)();
    void (*write)(ConsoleStream stream, std::string_view utf8);
};
inline constexpr ExplorerConsole SYSTEM_CONSOLE{ConsoleClosesWithProgram, ReadConsoleLine,
                                                ProgramFolder, WriteToConsole};

// After the check of a dropped file: when it is not a history KIVO6 reads as meant but
// --fix can read it, asks whether to write it as data.txt in the program's folder
// (never the current folder, which Explorer sets elsewhere), and on yes writes it as
// --fix does in place, an existing data.txt kept as data.txt.orig first.
void OfferDataTxtFrom(const HistoryCheck& check, Language language, const ExplorerConsole& console);

// Says how to close the window, and waits for Enter.
void WaitBeforeClosing(Language language, const ExplorerConsole& console);
