# The test programs of a Windows build: GoogleTest is built from its sources (Debian's googletest package
# puts them in /usr/src/googletest), and every test program runs under Wine through RunUnderWine.sh,
# which CTest and gtest_discover_tests put before it.
set(VORANDEL_GOOGLETEST_SOURCE "/usr/src/googletest" CACHE PATH "GoogleTest's sources, built for Windows test programs")
if(NOT EXISTS "${VORANDEL_GOOGLETEST_SOURCE}/CMakeLists.txt")
  message(FATAL_ERROR "The Windows test programs need GoogleTest's sources in ${VORANDEL_GOOGLETEST_SOURCE} "
                      "(Debian: googletest), or VORANDEL_BUILD_TESTS=OFF.")
endif()
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory("${VORANDEL_GOOGLETEST_SOURCE}" "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL SYSTEM)
# GoogleTest keeps its own flags: not the project's warnings-as-errors nor its execution character set.
set_target_properties(gtest gtest_main PROPERTIES COMPILE_OPTIONS "")

if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
  set(VORANDEL_WINE_PREFIX "${CMAKE_BINARY_DIR}/wine-prefix")
  configure_file("${CMAKE_CURRENT_LIST_DIR}/RunUnderWine.sh.in" "${CMAKE_BINARY_DIR}/run-under-wine.sh" @ONLY
                 FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_BINARY_DIR}/run-under-wine.sh")
endif()

# GCC 12 warns wrongly about overlapping copies inside std::string at -O3 (GCC bug 105651); the native
# builds (-O2) do not meet it.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  add_compile_options(-Wno-restrict)
endif()
