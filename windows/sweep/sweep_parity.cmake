# Runs the fault sweep in process (the portable tests, writing each run's record) and then
# through COM under Wine, holding every run of the COM sweep to its in-process record.
#
# cmake -DPORTABLE=path/to/quadrift_tests -DRUN=path/to/wine-run.sh -DPREFIX=wine-prefix
#       -DBITS=64 -DSWEEP=path/to/quadrift_win_sweep.exe -DOUT=folder -P sweep_parity.cmake
foreach(var PORTABLE RUN PREFIX BITS SWEEP OUT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "sweep_parity.cmake needs -D${var}=...")
  endif()
endforeach()

file(MAKE_DIRECTORY ${OUT})
set(records ${OUT}/in-process.jsonl)
execute_process(COMMAND ${CMAKE_COMMAND} -E env QUADRIFT_SWEEP_RECORD=${records}
                        ${PORTABLE} --gtest_filter=FaultSweep.*
                RESULT_VARIABLE portable_status OUTPUT_VARIABLE portable_output
                ERROR_VARIABLE portable_output)
if(NOT portable_status EQUAL 0)
  message(FATAL_ERROR "the in-process sweep failed (${portable_status}):\n${portable_output}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E env QUADRIFT_SWEEP_EXPECTED=Z:${records}
                        ${RUN} ${PREFIX} ${BITS} ${SWEEP}
                RESULT_VARIABLE sweep_status)
if(sweep_status EQUAL 77)
  message(FATAL_ERROR "skipped: this machine cannot run the ${BITS}-bit sweep")
endif()
if(NOT sweep_status EQUAL 0)
  message(FATAL_ERROR "the COM sweep failed or differs from the in-process one (${sweep_status})")
endif()
