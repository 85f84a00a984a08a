# Runs batchgen as the end-to-end tests do and checks its files, exit codes and messages.
# -DBATCHGEN=<program> -DEMULATOR=<wine or empty> -DGOLDEN=<folder> -DWORK=<scratch folder>
# -DPATH_PREFIX=<prefix that makes a Unix path a path for the program, "Z:" under Wine>
# -DCASE=<one of the cases below>: each case is a test of its own, so that ctest runs them
# side by side (each start of the program under Wine takes seconds).

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

function(run_batchgen expected_code expected_error)
  list(TRANSFORM ARGN REPLACE "^/" "${PATH_PREFIX}/")
  execute_process(COMMAND ${EMULATOR} "${BATCHGEN}" ${ARGN}
                  RESULT_VARIABLE code ERROR_VARIABLE error OUTPUT_QUIET)
  string(STRIP "${error}" error)
  if(NOT code EQUAL expected_code)
    message(FATAL_ERROR "batchgen ${ARGN}: exit code ${code}, expected ${expected_code}: ${error}")
  endif()
  if(NOT error MATCHES "${expected_error}")
    message(FATAL_ERROR "batchgen ${ARGN}: message \"${error}\" does not match \"${expected_error}\"")
  endif()
endfunction()

function(expect_same_bytes actual expected)
  file(READ "${actual}" actual_hex HEX)
  file(READ "${expected}" expected_hex HEX)
  if(NOT actual_hex STREQUAL expected_hex)
    message(FATAL_ERROR "${actual} differs from ${expected}")
  endif()
endfunction()

if(CASE STREQUAL "golden_project")
  # A project turns into the expected batch file, and saving it again gives the same file.
  run_batchgen(0 "^$" "${GOLDEN}/project.kwj" "${WORK}/out file.bat" --save "${WORK}/copy.kwj")
  expect_same_bytes("${WORK}/out file.bat" "${GOLDEN}/project.bat")
  expect_same_bytes("${WORK}/copy.kwj" "${GOLDEN}/project.kwj")
elseif(CASE STREQUAL "lost_characters")
  # Characters the batch file's code page lacks: the file is written, with "?" for them,
  # and the message names the item and the characters.
  file(WRITE "${WORK}/euro.kwj" "<palvetta><items><item classname=\"TREMItem\"><Text>5 &#8364;</Text></item></items></palvetta>")
  run_batchgen(0 "^The batch file's code page \\(437\\) has no place for some characters; each of them was written as \"\\?\":\r?\nItem 1 \\(TREMItem\\): €$"
               "${WORK}/euro.kwj" "${WORK}/euro.bat")
  file(WRITE "${WORK}/euro_expected.bat" "@ECHO OFF\r\nREM 5 ?\r\n")
  expect_same_bytes("${WORK}/euro.bat" "${WORK}/euro_expected.bat")
elseif(CASE STREQUAL "left_out_quote")
  # A double quote that a name cannot hold: left out of the file, which is written all the
  # same, and the message names the item and the character.
  file(WRITE "${WORK}/quote.kwj" "<palvetta><items><item classname=\"TPingItem\"><Host>h&quot; &amp; x</Host></item></items></palvetta>")
  run_batchgen(0 "^Paths, names and quoted texts cannot hold some characters; each of them was left out of the batch file:\r?\nItem 1 \\(TPingItem\\): \"$"
               "${WORK}/quote.kwj" "${WORK}/quote.bat")
  file(WRITE "${WORK}/quote_expected.bat" "@ECHO OFF\r\nPING \"h & x\"\r\n")
  expect_same_bytes("${WORK}/quote.bat" "${WORK}/quote_expected.bat")
# Failures: exit code 1 and the reader's message, and no batch file.
elseif(CASE STREQUAL "not_a_project")
  file(WRITE "${WORK}/other.xml" "<root><things/></root>")
  run_batchgen(1 "^This file is not a Palvetta project\\.$" "${WORK}/other.xml" "${WORK}/x.bat")
elseif(CASE STREQUAL "typeless_item")
  file(WRITE "${WORK}/typeless.kwj" "<palvetta><items><item/></items></palvetta>")
  run_batchgen(1 "^The project file is damaged: a command has no type\\.$" "${WORK}/typeless.kwj" "${WORK}/x.bat")
elseif(CASE STREQUAL "missing_file")
  run_batchgen(1 "^Cannot open file \".*missing\\.kwj\"\\. " "${WORK}/missing.kwj" "${WORK}/x.bat")
else()
  message(FATAL_ERROR "unknown case \"${CASE}\"")
endif()
if(EXISTS "${WORK}/x.bat")
  message(FATAL_ERROR "a failed run left a batch file")
endif()
