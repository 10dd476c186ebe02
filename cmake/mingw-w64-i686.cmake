# Cross-compiling the Windows programs for old 32-bit Windows from Linux with mingw-w64.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(VORANDEL_MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
