# Cross-compiling the Windows programs from Linux with mingw-w64; the toolchain files of the two targets
# set CMAKE_SYSTEM_PROCESSOR and VORANDEL_MINGW_PREFIX and include this.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${VORANDEL_MINGW_PREFIX}-gcc)
set(CMAKE_CXX_COMPILER ${VORANDEL_MINGW_PREFIX}-g++)
set(CMAKE_RC_COMPILER ${VORANDEL_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VORANDEL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# printf and its kin from the mingw runtime, which knows the C99 formats (%zu) that the old msvcrt lacks.
set(CMAKE_CXX_FLAGS_INIT "-D__USE_MINGW_ANSI_STDIO=1")
# The programs run on a bare Windows: no compiler runtime DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
