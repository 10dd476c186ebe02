# Runs the real command-line program in an empty folder: it must write the built-in pair byte for byte,
# and a second run must keep the first pair as .bak files. EMULATOR (Wine for a Windows build) runs it
# where the program cannot run by itself.
set(work "${WORK_DIR}/generate-built-in")
file(REMOVE_RECURSE "${work}")
file(MAKE_DIRECTORY "${work}")

foreach(run 1 2)
  execute_process(COMMAND ${EMULATOR} "${VORANDEL}" generate WORKING_DIRECTORY "${work}" RESULT_VARIABLE code)
  if(NOT code EQUAL 0)
    message(FATAL_ERROR "vorandel generate (run ${run}) exited with ${code}")
  endif()
endforeach()

foreach(file sndata.s5 taiki.s5 sndata.s5.bak taiki.s5.bak)
  string(REPLACE ".bak" "" original "${file}")
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${work}/${file}" "${DATA_DIR}/${original}"
                  RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "${file} differs from the built-in ${original}")
  endif()
endforeach()
file(REMOVE_RECURSE "${work}")
