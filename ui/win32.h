// The one header through which the dialogs and their programs reach Win32: the real
// API on Windows, our own stand-in for the handful of calls they use elsewhere.
// ui/CMakeLists.txt links the matching library (kivo6_win32).
#pragma once

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include "standin/win32_subset.h"
#endif
