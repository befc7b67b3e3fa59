# Targets that must never depend on Qt: the table, archive and platform libraries, the toolkit's
# Qt-free part and the program's logic. savora_require_no_qt() marks a target;
# savora_check_no_qt() (called once every target exists) walks each marked target's link
# libraries, directly and through other targets, and stops the configuration when Qt is among
# them. A Qt include in such a target's sources cannot compile either: Qt's include folders reach
# a target only through Qt's own targets.

function(savora_require_no_qt target)
  set_property(GLOBAL APPEND PROPERTY SAVORA_QT_FREE_TARGETS ${target})
endfunction()

# Sets <out> to the first Qt library <target> links, directly or through the targets it links, or
# to "" when there is none.
function(savora_find_qt target out)
  set(pending ${target})
  set(seen "")
  while(pending)
    list(POP_FRONT pending current)
    if(current IN_LIST seen)
      continue()
    endif()
    list(APPEND seen ${current})
    if(current MATCHES "^(Qt[0-9]*::|Qt[0-9]*[A-Z])" OR current MATCHES "libQt[0-9]")
      set(${out} ${current} PARENT_SCOPE)
      return()
    endif()
    if(TARGET ${current})
      get_target_property(imported ${current} IMPORTED)
      set(props INTERFACE_LINK_LIBRARIES)
      if(NOT imported)
        list(APPEND props LINK_LIBRARIES)
      endif()
      foreach(prop IN LISTS props)
        get_target_property(libs ${current} ${prop})
        if(libs)
          foreach(lib IN LISTS libs)
            # $<LINK_ONLY:x> and similar wrappers name a library too.
            string(REGEX REPLACE "^\\$<[A-Z_]+:(.*)>$" "\\1" lib "${lib}")
            list(APPEND pending ${lib})
          endforeach()
        endif()
      endforeach()
    endif()
  endwhile()
  set(${out} "" PARENT_SCOPE)
endfunction()

function(savora_check_no_qt)
  get_property(targets GLOBAL PROPERTY SAVORA_QT_FREE_TARGETS)
  foreach(target IN LISTS targets)
    savora_find_qt(${target} qt)
    if(qt)
      message(FATAL_ERROR "${target} must not depend on Qt, but it links ${qt}")
    endif()
  endforeach()
endfunction()
