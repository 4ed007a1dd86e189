# Installs the recording help library as the Wine prefix's hhctrl.ocx, in the system folder of
# the runner's bits (a mixed prefix keeps 32-bit libraries in syswow64), and has the prefix load
# it instead of Wine's own.
# cmake -DRUN=wine-run.sh -DLIBRARY=hhctrl.ocx -DPREFIX=wine-prefix -DBITS=64
#       -P install_help_recorder.cmake
set(system ${PREFIX}/drive_c/windows/system32)
if(BITS EQUAL 32 AND EXISTS ${PREFIX}/drive_c/windows/syswow64)
  set(system ${PREFIX}/drive_c/windows/syswow64)
endif()
if(NOT EXISTS ${system})
  message(FATAL_ERROR "${PREFIX} has no system folder: run a program in it first")
endif()
file(COPY_FILE ${LIBRARY} ${system}/hhctrl.ocx)
execute_process(COMMAND ${RUN} ${PREFIX} ${BITS} reg add "HKCU\\Software\\Wine\\DllOverrides"
                        /v hhctrl.ocx /d native /f
                RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
if(status EQUAL 77)
  message(FATAL_ERROR "skipped: this machine cannot run ${BITS}-bit programs")
elseif(NOT status EQUAL 0)
  message(FATAL_ERROR "the prefix's library override cannot be written (${status})")
endif()
message("the recording help library is ${system}/hhctrl.ocx")
