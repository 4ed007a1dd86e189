# Makes a package: the folder STAGE made afresh, so that it holds the files FILES
# (comma-separated) alone, and zipped as ZIP with the folder at the archive's top.
#
# cmake -DSTAGE=folder -DZIP=file.zip -DFILES=a,b,c -P make_package.cmake
foreach(var STAGE ZIP FILES)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "make_package.cmake needs -D${var}=...")
  endif()
endforeach()

file(REMOVE_RECURSE ${STAGE})
file(REMOVE ${ZIP})
file(MAKE_DIRECTORY ${STAGE})
string(REPLACE "," ";" files "${FILES}")
foreach(file IN LISTS files)
  file(COPY ${file} DESTINATION ${STAGE})
endforeach()
get_filename_component(parent ${STAGE} DIRECTORY)
get_filename_component(folder ${STAGE} NAME)
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${ZIP} --format=zip ${folder}
                WORKING_DIRECTORY ${parent} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "could not zip ${STAGE} as ${ZIP}")
endif()
