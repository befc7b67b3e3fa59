# Fails when one of PROGRAMS (a ;-separated list) loads a Qt library: the dynamic section of a
# test program that links only the Qt-free libraries must name none.
foreach(program IN LISTS PROGRAMS)
  execute_process(COMMAND readelf -d ${program} OUTPUT_VARIABLE section RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "readelf could not read ${program}")
  endif()
  if(section MATCHES "libQt[A-Za-z0-9_.]*")
    message(FATAL_ERROR "${program} loads ${CMAKE_MATCH_0}")
  endif()
endforeach()
list(LENGTH PROGRAMS count)
message(STATUS "${count} programs load no Qt library")
