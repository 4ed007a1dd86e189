# Writes a German session (`locale 1031`) as a user of another locale plays it: the locale
# statement names LCID; a quoted text that is a string of the German table becomes the string of
# the same identifier in the locale's table; where the locale writes a decimal point (POINT=ON),
# the other quoted texts swap "." and "," between digits, so that a length keeps its meaning.
#
# cmake -DSESSION=german.qsession -DGERMAN=kstQuadrift_1031.rc -DTABLE=kstQuadrift_LCID.rc
#       -DLCID=1049 -DPOINT=OFF -DOUT=played.qsession -P played_in.cmake
foreach(var SESSION GERMAN TABLE LCID POINT OUT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "played_in.cmake needs -D${var}=...")
  endif()
endforeach()

# The table's strings as variables text_ID.
function(read_table file prefix)
  file(STRINGS ${file} entries ENCODING UTF-8 REGEX "^[ \t]+[0-9]+, \".*\"$")
  set(ids)
  foreach(entry IN LISTS entries)
    string(REGEX REPLACE "^[ \t]+([0-9]+), \"(.*)\"$" "\\1" id "${entry}")
    string(REGEX REPLACE "^[ \t]+([0-9]+), \"(.*)\"$" "\\2" text "${entry}")
    set(${prefix}_${id} "${text}" PARENT_SCOPE)
    list(APPEND ids ${id})
  endforeach()
  set(${prefix}_ids ${ids} PARENT_SCOPE)
endfunction()
read_table(${GERMAN} german)
read_table(${TABLE} own)

file(STRINGS ${SESSION} lines ENCODING UTF-8)
set(played "")
foreach(line IN LISTS lines)
  string(REGEX REPLACE "^locale 1031" "locale ${LCID}" line "${line}")
  string(REGEX MATCHALL "\"[^\"]*\"" quoted "${line}")
  foreach(q IN LISTS quoted)
    string(REGEX REPLACE "^\"(.*)\"$" "\\1" text "${q}")
    set(out "${text}")
    set(found OFF)
    foreach(id IN LISTS german_ids)
      if(german_${id} STREQUAL text)
        set(out "${own_${id}}")
        set(found ON)
      endif()
    endforeach()
    if(NOT found AND POINT)
      string(REGEX REPLACE "([0-9])\\.([0-9])" "\\1@\\2" out "${out}")
      string(REGEX REPLACE "([0-9]),([0-9])" "\\1.\\2" out "${out}")
      string(REPLACE "@" "," out "${out}")
    endif()
    string(REPLACE "${q}" "\"${out}\"" line "${line}")
  endforeach()
  string(APPEND played "${line}\n")
endforeach()
file(WRITE ${OUT} "${played}")
