# The settings resource tool refuses a listing it cannot read faithfully: it names the
# file and line, exits with an error and leaves no output file behind.
set(cases
  "Key maybe true|the kind is bool, int or text"
  "Key bool yes|a bool is true or false"
  "Key int 4294967296|an int is a decimal number of 32 bits"
  "Key text \"open|no closing double quote"
  "Key text \"a\\qb\"|unknown escape"
  "Key text \"x\" extra|unexpected text after the value")
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" parts "${case}")
  list(GET parts 0 line)
  list(GET parts 1 message)
  file(WRITE ${WORK}/bad.txt "# comment\nGood bool true\n${line}\n")
  file(REMOVE ${WORK}/bad.bin)
  execute_process(COMMAND ${TOOL} ${WORK}/bad.txt ${WORK}/bad.bin RESULT_VARIABLE result ERROR_VARIABLE error)
  if(result EQUAL 0 OR NOT error MATCHES "bad.txt:3: .*${message}" OR EXISTS ${WORK}/bad.bin)
    message(FATAL_ERROR "listing line '${line}': result ${result}, message '${error}'")
  endif()
endforeach()
