# What the two Windows toolchains share: Debian's mingw-w64 with the posix thread
# model (GoogleTest needs it), a static link so the programs need no DLL beyond those
# of Windows itself, and Wine as the crossing emulator so CTest can run them.
# Included by i686-w64-mingw32.cmake and x86_64-w64-mingw32.cmake after each sets
# CMAKE_SYSTEM_PROCESSOR and KIVO6_MINGW_PREFIX.

set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${KIVO6_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KIVO6_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${KIVO6_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KIVO6_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# tools/wine-run.sh reads the program's kind and starts the matching half of Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../../tools/wine-run.sh)
