# Cross-compiling the Windows programs (64-bit) from Linux with mingw-w64.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VORANDEL_MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
