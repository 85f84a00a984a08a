# Checks the include lines of every source under SOURCE_DIR against the order of the
# libraries: a library may include its own headers and those of the libraries before it.
# Portable folders (not named win) include no Windows headers.
set(order base gui crash model editors items app)
set(windows_headers windows.h commctrl.h shellapi.h shlobj.h richedit.h uxtheme.h
    commdlg.h winuser.h wingdi.h)

file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.h ${SOURCE_DIR}/*.cpp)
set(faults "")
foreach(source IN LISTS sources)
  string(REGEX MATCH "^[^/]+" library "${source}")
  list(FIND order "${library}" rank)
  if(rank EQUAL -1)
    continue()  # the composition root sees everything
  endif()
  file(STRINGS ${SOURCE_DIR}/${source} lines REGEX "^#include [<\"]")
  foreach(line IN LISTS lines)
    if(line MATCHES "^#include \"([^/\"]+)/")
      list(FIND order "${CMAKE_MATCH_1}" used)
      if(used GREATER rank)
        list(APPEND faults "${source}: ${line} (${library} may not use ${CMAKE_MATCH_1})")
      endif()
    elseif(line MATCHES "^#include <([^>]+)>")
      list(FIND windows_headers "${CMAKE_MATCH_1}" windows)
      if(NOT windows EQUAL -1 AND NOT source MATCHES "/win/")
        list(APPEND faults "${source}: ${line} (portable code includes a Windows header)")
      endif()
    endif()
  endforeach()
endforeach()

if(faults)
  list(JOIN faults "\n" report)
  message(FATAL_ERROR "Includes against the library order:\n${report}")
endif()
list(LENGTH sources count)
message(STATUS "${count} sources keep to the library order")
