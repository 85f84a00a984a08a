# palvetta.exe loads none of the DLLs that only later work needs before its main window
# shows: they must not slow the start. A DLL that the system itself loads for any window
# (minimal_window.exe loads it too before its window shows) is not the program's doing
# and is left out.
# Expects EMULATOR, WATCHER (startup_modules.exe), PROGRAM, MINIMAL (minimal_window.exe)
# and LATER (DLL names without ".dll", comma-separated).
cmake_policy(SET CMP0057 NEW)
string(REPLACE "," ";" LATER "${LATER}")

# The DLLs the program loads before its first window shows, in lower case.
function(loaded_before_window program out_var)
  execute_process(COMMAND ${EMULATOR} "${WATCHER}" "Z:${program}" RESULT_VARIABLE code
                  OUTPUT_VARIABLE output ERROR_VARIABLE error)
  if(NOT code EQUAL 0)
    message(FATAL_ERROR "startup_modules ${program}: exit code ${code}: ${error}")
  endif()
  string(REGEX MATCHALL "loaded=[^\r\n]+" lines "${output}")
  list(TRANSFORM lines REPLACE "^loaded=" "")
  if(NOT lines)
    message(FATAL_ERROR "startup_modules ${program} saw no DLL load: ${output}")
  endif()
  set(${out_var} ${lines} PARENT_SCOPE)
endfunction()

loaded_before_window("${MINIMAL}" minimal)
loaded_before_window("${PROGRAM}" program)
message(STATUS "minimal_window.exe loads before its window shows: ${minimal}")
message(STATUS "palvetta.exe loads before its window shows: ${program}")
foreach(dll IN LISTS LATER)
  if("${dll}.dll" IN_LIST program AND NOT "${dll}.dll" IN_LIST minimal)
    list(APPEND early "${dll}.dll")
  endif()
endforeach()
if(early)
  message(FATAL_ERROR "palvetta.exe loads these before its window shows: ${early}")
endif()
