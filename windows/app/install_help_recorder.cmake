# Installs the recording help library as the Wine prefix's hhctrl.ocx, in the system folder of
# the runner's bits (a mixed prefix keeps 32-bit libraries in syswow64), and has the prefix load
# it instead of Wine's own. The override is written first: it makes the prefix when there is
# none, and on a machine without the runner's bits it says so and the test is skipped.
# cmake -DRUN=wine-run.sh -DLIBRARY=hhctrl.ocx -DPREFIX=wine-prefix -DBITS=64
#       -P install_help_recorder.cmake
execute_process(COMMAND ${RUN} ${PREFIX} ${BITS} reg add "HKCU\\Software\\Wine\\DllOverrides"
                        /v hhctrl.ocx /d native /f
                RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE errors)
if(status EQUAL 77)
  message(FATAL_ERROR "${errors}")  # "... cannot execute 32-bit programs: skipped"
elseif(NOT status EQUAL 0)
  message(FATAL_ERROR "the prefix's library override cannot be written (${status})\n${errors}")
endif()
set(system ${PREFIX}/drive_c/windows/system32)
if(BITS EQUAL 32 AND EXISTS ${PREFIX}/drive_c/windows/syswow64)
  set(system ${PREFIX}/drive_c/windows/syswow64)
endif()
if(NOT EXISTS ${system})
  message(FATAL_ERROR "${PREFIX} has no system folder")
endif()
file(COPY_FILE ${LIBRARY} ${system}/hhctrl.ocx)
message("the recording help library is ${system}/hhctrl.ocx")
