# Installs the integrators' package as an integrator does, and runs its client there: a fresh
# prefix, the zip unpacked by unzip into a fresh folder of it (a path with a space, as under
# Program Files), the archive holding exactly the package's files and the header the client
# was compiled against, then the client on a display of its own against the unpacked folder.
#
# cmake -DRUN=path/to/wine-run.sh -DPREFIX=wine-prefix-package -DBITS=64 -DZIP=package.zip
#       -DSTAGE=folder-the-zip-was-made-from -DFILES=a,b,c -DCLIENT=path/to/client.exe
#       -P install_package.cmake
foreach(var RUN PREFIX BITS ZIP STAGE FILES CLIENT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "install_package.cmake needs -D${var}=...")
  endif()
endforeach()
find_program(UNZIP unzip)
if(NOT UNZIP)
  message(FATAL_ERROR "unzip is not installed (scripts/install-windows-deps.sh)")
endif()

# Runs `program` in the prefix; a machine that cannot run it skips the test.
function(run_in_prefix)
  execute_process(COMMAND ${RUN} ${ARGN} RESULT_VARIABLE status)
  if(status EQUAL 77)
    message(FATAL_ERROR "skipped: this machine cannot run the ${BITS}-bit package")
  elseif(NOT status EQUAL 0)
    message(FATAL_ERROR "${ARGN} failed (${status})")
  endif()
endfunction()

# A fresh prefix, made by its first program.
file(REMOVE_RECURSE ${PREFIX})
run_in_prefix(${PREFIX} ${BITS} cmd /c exit 0)

get_filename_component(name ${STAGE} NAME)
execute_process(COMMAND ${UNZIP} -Z1 ${ZIP} OUTPUT_VARIABLE listing RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "unzip cannot list ${ZIP}")
endif()
string(REGEX REPLACE "\n$" "" listing "${listing}")
string(REPLACE "\n" ";" entries "${listing}")
list(REMOVE_ITEM entries ${name}/)
list(SORT entries)
string(REPLACE "," ";" expected "${FILES}")
list(TRANSFORM expected PREPEND ${name}/)
list(SORT expected)
if(NOT entries STREQUAL expected)
  message(FATAL_ERROR "${ZIP} holds\n  ${entries}\nand not exactly\n  ${expected}")
endif()

set(folder "${PREFIX}/drive_c/Program Files/Integrator")
execute_process(COMMAND ${UNZIP} -q ${ZIP} -d ${folder} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "unzip cannot unpack ${ZIP}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${STAGE}/kstQuadrift412.h
                        ${folder}/${name}/kstQuadrift412.h RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the client was not compiled against the package's header")
endif()

run_in_prefix(--x ${PREFIX} ${BITS} ${CLIENT} "C:\\Program Files\\Integrator\\${name}")
