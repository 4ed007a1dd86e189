# Runs one session script on both runners, the portable `quadrift` against the stand-ins and
# `quadrift.exe` under Wine against kstQuadrift412.dll through COM, and fails when their final
# states differ in any part, naming each part that differs.
#
# cmake -DPORTABLE=path/to/quadrift -DWINDOWS=path/to/quadrift.exe -DRUN=path/to/wine-run.sh
#       -DPREFIX=wine-prefix -DBITS=64 -DSESSION=file.qsession -DOUT=folder
#       [-DRUN_FLAGS=--x] [-DWINDOWS_ARGS=--ui;win32] -P session_parity.cmake
# RUN_FLAGS go to wine-run.sh (--x: on a virtual display), WINDOWS_ARGS to the runner's `run`.
foreach(var PORTABLE WINDOWS RUN PREFIX BITS SESSION OUT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "session_parity.cmake needs -D${var}=...")
  endif()
endforeach()

get_filename_component(stem ${SESSION} NAME_WE)
file(MAKE_DIRECTORY ${OUT})
set(portable_json ${OUT}/${stem}.portable.json)
set(windows_json ${OUT}/${stem}.windows.json)
string(REPLACE "|" ";" WINDOWS_ARGS "${WINDOWS_ARGS}")
if(WINDOWS_ARGS)
  set(windows_json ${OUT}/${stem}.windows-ui.json)
endif()

execute_process(COMMAND ${PORTABLE} run -q --json ${portable_json} ${SESSION}
                RESULT_VARIABLE portable_status ERROR_VARIABLE portable_errors)
execute_process(COMMAND ${RUN} ${RUN_FLAGS} ${PREFIX} ${BITS} ${WINDOWS} run -q ${WINDOWS_ARGS}
                        --json "Z:${windows_json}" "Z:${SESSION}"
                RESULT_VARIABLE windows_status ERROR_VARIABLE windows_errors)
if(windows_status EQUAL 77)
  message("${windows_errors}")
  # ctest counts this as skipped (SKIP_REGULAR_EXPRESSION).
  message(FATAL_ERROR "skipped: this machine cannot run the ${BITS}-bit runner")
endif()
if(NOT portable_status EQUAL windows_status)
  message(FATAL_ERROR "${stem}: exit status ${portable_status} on the portable runner, "
                      "${windows_status} on Windows\n${portable_errors}\n${windows_errors}")
endif()

file(READ ${portable_json} portable)
file(READ ${windows_json} windows)
if(WINDOWS_ARGS)
  # Played on real windows from outside: what only the component knows of its run (its setup
  # history and flags) cannot be seen, and a hidden dialog shows nothing but that it is hidden
  # (the desktop host may have released the command and with it the dialog's window).
  string(JSON done GET ${portable} run done)  # ON or OFF
  set(done_json false)
  if(done)
    set(done_json true)
  endif()
  string(JSON portable SET ${portable} run "{\"done\": ${done_json}}")
  string(JSON shown GET ${portable} dialog visible)
  if(NOT shown)
    string(JSON portable SET ${portable} dialog "{\"visible\": false}")
    string(JSON windows SET ${windows} dialog "{\"visible\": false}")
  endif()
endif()
string(JSON parts LENGTH ${portable})
set(differing)
math(EXPR last "${parts} - 1")
foreach(i RANGE ${last})
  string(JSON part MEMBER ${portable} ${i})
  string(JSON left GET ${portable} ${part})
  string(JSON right ERROR_VARIABLE missing GET ${windows} ${part})
  if(missing)
    list(APPEND differing "${part}: missing on Windows")
    continue()
  endif()
  string(JSON same EQUAL "${left}" "${right}")
  if(NOT same)
    list(APPEND differing "${part}:\n  portable: ${left}\n  windows:  ${right}")
  endif()
endforeach()
string(JSON windows_parts LENGTH ${windows})
if(NOT windows_parts EQUAL parts)
  list(APPEND differing "the Windows state has ${windows_parts} parts, the portable one ${parts}")
endif()
if(differing)
  list(JOIN differing "\n" report)
  message(FATAL_ERROR "${stem}: the runners' final states differ\n${report}")
endif()
message("${stem}: both runners end in the same state (exit status ${portable_status})")
