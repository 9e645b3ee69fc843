// The one header through which KIVO6 reaches its platform: the real Win32 API on
// Windows, our own stand-in for the handful of Win32 calls it uses elsewhere.
// Only this folder knows which of the two it is built for.
#pragma once

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include "standin/win32_subset.h"
#endif
