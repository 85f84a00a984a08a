# The settings resource tool refuses a listing it cannot read faithfully, and one the
# reporter would misread (a key no row of the settings table has, a key listed with
# another kind than its row's): it names the file and line, exits with an error and
# leaves no output file behind, so the build stops there.
set(cases
  "Key maybe true|the kind is bool, int or text"
  "AutoSend bool yes|a bool is true or false"
  "FreezeTimeout int 4294967296|an int is a decimal number of 32 bits"
  "MailAddr text \"open|no closing double quote"
  "MailAddr text \"a\\qb\"|unknown escape"
  "MailAddr text \"x\" extra|unexpected text after the value"
  "NoSuchSetting bool true|unknown setting NoSuchSetting"
  "enabled bool true|unknown setting enabled"
  "FreezeTimeout text \"60000\"|FreezeTimeout is a setting of kind int, listed as text"
  "AutoSend int 1|AutoSend is a setting of kind bool, listed as int")
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" parts "${case}")
  list(GET parts 0 line)
  list(GET parts 1 message)
  file(WRITE ${WORK}/bad.txt "# comment\nEnabled bool true\n${line}\n")
  file(REMOVE ${WORK}/bad.bin)
  execute_process(COMMAND ${TOOL} ${WORK}/bad.txt ${WORK}/bad.bin RESULT_VARIABLE result ERROR_VARIABLE error)
  if(result EQUAL 0 OR NOT error MATCHES "bad.txt:3: .*${message}" OR EXISTS ${WORK}/bad.bin)
    message(FATAL_ERROR "listing line '${line}': result ${result}, message '${error}'")
  endif()
endforeach()
