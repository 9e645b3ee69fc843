// The console as kivo6-check sees it: the language the user's locale asks for,
// whether a stream is a terminal, and writing UTF-8 text so that it shows right.
// One implementation per system (posix/, windows/); only kivo6-check calls these.
#pragma once

#include "platform/whole_file.h"

#include <string>
#include <string_view>

enum class ConsoleStream { Output, Error };

bool LocaleAsksForJapanese();
bool IsTerminal(ConsoleStream stream);
void WriteToConsole(ConsoleStream stream, std::string_view utf8);

// True when the program's console window is its own and closes when it ends: started
// from Explorer (the only process on its console) with standard input that console.
// Never on POSIX, where a terminal outlives the programs run in it.
bool ConsoleClosesWithProgram();
// One line of standard input as UTF-8, without its line end; false at its end.
bool ReadConsoleLine(std::string& line);
// All of standard input, as its bytes; from a console window (Windows), what is typed
// up to Ctrl+Z, as UTF-8. TooLarge past WHOLE_FILE_LIMIT bytes, as for a file.
FileProblem ReadWholeInput(std::string& bytes);
// The folder of the running program, ending in its separator (ANSI code page on
// Windows), or empty when the system cannot say.
std::string ProgramFolder();
