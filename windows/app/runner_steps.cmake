# Runs steps of the Windows session runner under Wine and checks each one's exit status (and,
# where given, its output). RUN is the emulator command with '|' between its words; STEPS is a
# list of "STATUS|REGEX|PROGRAM|ARG..." with '|' between fields. A step's SCRIPT file holds
# SCRIPT_TEXT ("\n" as line breaks) when given. With FOLDER and FILES ('|' between paths), the
# folder is made afresh holding only those files before the steps run.
cmake_policy(SET CMP0007 NEW)
if(DEFINED FOLDER)
  file(REMOVE_RECURSE ${FOLDER})
  string(REPLACE "|" ";" files "${FILES}")
  file(COPY ${files} DESTINATION ${FOLDER})
endif()
string(REPLACE "|" ";" run "${RUN}")
if(DEFINED SCRIPT)
  string(REPLACE "\\n" "\n" text "${SCRIPT_TEXT}")
  file(WRITE ${SCRIPT} "${text}\n")
endif()
foreach(step IN LISTS STEPS)
  string(REPLACE "|" ";" fields "${step}")
  list(POP_FRONT fields expected regex)
  execute_process(COMMAND ${run} ${fields} RESULT_VARIABLE status OUTPUT_VARIABLE out
                  ERROR_VARIABLE err)
  if(NOT status STREQUAL expected)
    message(FATAL_ERROR "${fields}: exit ${status}, expected ${expected}\n${out}${err}")
  endif()
  if(NOT regex STREQUAL "" AND NOT "${out}${err}" MATCHES "${regex}")
    message(FATAL_ERROR "${fields}: the output does not match '${regex}'\n${out}${err}")
  endif()
endforeach()
