# palvetta.exe imports none of the delay-loaded system DLLs at start: a library linked
# straight (a plain target_link_libraries of one of them) would load it with the program
# again. Delay-loaded DLLs are not in the import table that objdump lists.
# Expects PROGRAM, OBJDUMP and DELAY_LOADED (DLL names without ".dll", comma-separated).
cmake_policy(SET CMP0057 NEW)
string(REPLACE "," ";" DELAY_LOADED "${DELAY_LOADED}")
execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE headers COMMAND_ERROR_IS_FATAL ANY)
string(TOLOWER "${headers}" headers)
string(REGEX MATCHALL "dll name: [^\n]+" imported "${headers}")
if(NOT imported)
  message(FATAL_ERROR "no import table found in ${PROGRAM}")
endif()
foreach(dll IN LISTS DELAY_LOADED)
  if("dll name: ${dll}.dll" IN_LIST imported)
    message(FATAL_ERROR "${PROGRAM} loads ${dll}.dll at start; imported: ${imported}")
  endif()
endforeach()
message(STATUS "imported at start: ${imported}")
