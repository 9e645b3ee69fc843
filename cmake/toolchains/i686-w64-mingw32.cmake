# Cross-building the 32-bit Windows program, the one that ships, on Linux with
# Debian's mingw-w64. Used by the "mingw" preset; its programs run under Wine's
# 32-bit half, on machines whose kernel runs 32-bit code.

set(CMAKE_SYSTEM_PROCESSOR i686)
set(KIVO6_MINGW_PREFIX i686-w64-mingw32)

# x87 arithmetic would round the shares differently from every other build, so the
# float work goes through SSE2, as on x86-64.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")

include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
