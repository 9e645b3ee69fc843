# Cross-building the 64-bit Windows program on Linux with Debian's mingw-w64. Used
# by the "mingw64" preset; its programs run under wine64, which needs no 32-bit
# support from the kernel, so the Windows tests run on every machine.

set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KIVO6_MINGW_PREFIX x86_64-w64-mingw32)

include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
