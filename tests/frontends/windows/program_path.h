// The kivo6.exe under test, as a Windows path: given on the command line of the
// end-to-end driver, which starts it, and read by the resource tests, which load it.
#pragma once

#include <string>

const std::wstring& ProgramPath();
