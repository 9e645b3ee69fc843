# Cross-building the 32-bit Windows program on Linux with Debian's mingw-w64 (the
# posix thread model, which GoogleTest needs). Used by the "mingw" preset; programs
# built here run through Wine as the crossing emulator, so CTest can run them.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(KIVO6_MINGW_PREFIX i686-w64-mingw32)
set(CMAKE_C_COMPILER ${KIVO6_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KIVO6_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${KIVO6_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KIVO6_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# x87 arithmetic would round the shares differently from every other build, so the
# float work goes through SSE2, as on x86-64. Static linking leaves the program
# needing no DLL beyond those of Windows itself.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../../tools/wine-run.sh)
