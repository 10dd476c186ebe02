# The Windows release: the console program under a name of its own (Windows does not tell Vorandel.exe
# from vorandel.exe), and a ZIP archive with both programs and the help file.
if(TARGET vorandel)
  set_target_properties(vorandel PROPERTIES OUTPUT_NAME vorandel-cli RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}")
  install(TARGETS vorandel RUNTIME DESTINATION .)
endif()
install(TARGETS Vorandel RUNTIME DESTINATION .)
install(FILES "${CMAKE_BINARY_DIR}/Vorandel.rtf" DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Vorandel)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_SYSTEM_NAME "windows-${CMAKE_SYSTEM_PROCESSOR}")
set(CPACK_PACKAGE_FILE_NAME "Vorandel-${PROJECT_VERSION}-windows-${CMAKE_SYSTEM_PROCESSOR}")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PACKAGE_DIRECTORY "${CMAKE_BINARY_DIR}/package")
include(CPack)

# The end-to-end tests: the program under Wine on a virtual X display, driven from outside by a small
# Windows program that finds its windows and presses their buttons; their screenshots are left in the
# build folder, one folder per locale (the ones in docs/screenshots were taken from there). Both programs
# are unpacked into a folder with Chinese characters and a space in its name, as players' folders are,
# and each scenario runs once per locale: the Simplified Chinese one (code page 936) and ones whose code
# page is another, where a program that relies on the code page shows its faults. Reported skipped (77)
# where Wine, Xvfb, a locale or a CJK font are missing. The 32-bit build runs them too (with Debian's
# 32-bit Wine, wine32:i386).
set(VORANDEL_WINE_LOCALES zh_CN.UTF-8 en_US.UTF-8 CACHE STRING
    "The locales the Wine end-to-end tests run under (zh_TW.UTF-8, code page 950, may be added)")
set(VORANDEL_WINE_FOLDER "游戏/三国 修改" CACHE STRING "The folder of drive C: the Wine end-to-end tests unpack the programs into")
add_executable(vorandel-wine-driver "${CMAKE_SOURCE_DIR}/tests/ui/wine/WineDriver.cpp")
target_compile_definitions(vorandel-wine-driver PRIVATE UNICODE _UNICODE)
target_link_options(vorandel-wine-driver PRIVATE -municode)
target_link_libraries(vorandel-wine-driver PRIVATE user32 gdi32)
foreach(locale IN LISTS VORANDEL_WINE_LOCALES)
  string(REGEX REPLACE "\\..*$" "" language "${locale}")
  foreach(scenario IN ITEMS generate-and-batch officer-table export-and-quit keep-and-restore what-if own-pair)
    add_test(NAME wine_${scenario}_${language}
             COMMAND "${CMAKE_SOURCE_DIR}/tests/ui/wine/run-end-to-end.sh" ${scenario}
                     "$<TARGET_FILE:Vorandel>" "$<TARGET_FILE:vorandel>" "$<TARGET_FILE:vorandel-wine-driver>"
                     "${VORANDEL_BUILTIN_DIR}" "${CMAKE_BINARY_DIR}/screenshots/${language}" "${locale}"
                     "${VORANDEL_WINE_FOLDER}")
    set_tests_properties(wine_${scenario}_${language} PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 600 RUN_SERIAL ON
                         LABELS wine-end-to-end)
  endforeach()
endforeach()
