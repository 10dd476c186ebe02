# Cross-compiling the Windows programs from Linux with mingw-w64; the toolchain files of the two targets
# set CMAKE_SYSTEM_PROCESSOR and VORANDEL_MINGW_PREFIX and include this.
set(CMAKE_SYSTEM_NAME Windows)

# The POSIX-threads variant of the compiler: its standard library has the threads and mutexes that
# GoogleTest needs (the default win32-threads variant of Debian's mingw-w64 lacks them). Linked statically,
# so the programs still need no DLL beside them.
set(CMAKE_C_COMPILER ${VORANDEL_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VORANDEL_MINGW_PREFIX}-g++-posix)
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
