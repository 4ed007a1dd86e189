# The fault sweep through COM under Wine in every environment the sessions need: the default
# locale, German (Wine takes the locale from LC_ALL), and a prefix with a printer for the
# sessions that set one up. With PORTABLE, the in-process sweep runs first and writes each run's
# record, and the COM sweeps in the locales are held to them run by run. The printer's sessions
# are swept with the sweep's own checks only: the prefix's one printer, A4 portrait with the
# device capabilities of Wine's PostScript driver, is not the printer most of them describe.
#
# cmake [-DPORTABLE=path/to/quadrift_tests] -DRUN=path/to/wine-run.sh -DPREFIX=wine-prefix
#       -DBITS=64 -DSWEEP=path/to/quadrift_win_sweep.exe -DPRINTER_SETUP=path/to/quadrift_win_tests.exe
#       -DSESSIONS=source-folder -DOUT=folder -P sweep_runs.cmake
foreach(var RUN PREFIX BITS SWEEP PRINTER_SETUP SESSIONS OUT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "sweep_runs.cmake needs -D${var}=...")
  endif()
endforeach()

file(MAKE_DIRECTORY ${OUT})
set(expected)
if(DEFINED PORTABLE)
  set(records ${OUT}/in-process.jsonl)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env QUADRIFT_SWEEP_RECORD=${records}
                          ${PORTABLE} --gtest_filter=FaultSweep.*
                  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "the in-process sweep failed (${status}):\n${output}")
  endif()
  set(expected QUADRIFT_SWEEP_EXPECTED=Z:${records})
endif()

# Runs the COM sweep in `prefix` with the environment settings that follow.
function(sweep prefix)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env ${ARGN} ${RUN} ${prefix} ${BITS} ${SWEEP}
                  RESULT_VARIABLE status)
  if(status EQUAL 77)
    message(FATAL_ERROR "skipped: this machine cannot run the ${BITS}-bit sweep")
  endif()
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "the COM sweep (${ARGN}) failed or differs from the in-process one")
  endif()
endfunction()

sweep(${PREFIX} LC_ALL=en_US.UTF-8 ${expected})
sweep(${PREFIX} LC_ALL=de_DE.UTF-8 ${expected})

file(GLOB scripts ${SESSIONS}/examples/*.qsession ${SESSIONS}/tests/sessions/*.qsession)
set(printed)
foreach(script ${scripts})
  file(STRINGS ${script} printer REGEX "^printer [0-9]")
  if(printer)
    get_filename_component(name ${script} NAME)
    list(APPEND printed ${name})
  endif()
endforeach()
if(printed)
  # The printer test adds its printer to the prefix it runs in, and keeps it there.
  execute_process(COMMAND ${CMAKE_COMMAND} -E env QUADRIFT_PRINTER_PREFIX=1 ${RUN}
                          ${PREFIX}-printer ${BITS} ${PRINTER_SETUP} --gtest_filter=SystemPrinter.*
                  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "the printer cannot be added to ${PREFIX}-printer:\n${output}")
  endif()
  list(JOIN printed "," printed)
  sweep(${PREFIX}-printer LC_ALL=en_US.UTF-8 QUADRIFT_SWEEP_SESSIONS=${printed})
endif()
