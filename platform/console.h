// The console as kivo6-check sees it: the language the user's locale asks for,
// whether a stream is a terminal, and writing UTF-8 text so that it shows right.
// One implementation per system (posix/, windows/); only main.cpp calls these.
#pragma once

#include <string_view>

enum class ConsoleStream { Output, Error };

bool LocaleAsksForJapanese();
bool IsTerminal(ConsoleStream stream);
void WriteToConsole(ConsoleStream stream, std::string_view utf8);
