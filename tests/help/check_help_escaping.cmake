# Generates a help project from escaping_catalogue.tsv and checks that its texts reach the
# pages, the contents and the index whole and HTML-escaped: none of them may be split at
# a ';', lost at a '[' or a '\', or break the markup. Run as:
#   cmake -DSOURCE_DIR=<resources/help> -DOUTPUT_DIR=<scratch folder> -P check_help_escaping.cmake
cmake_minimum_required(VERSION 3.20)

execute_process(
  COMMAND ${CMAKE_COMMAND} -DCATALOGUE=${CMAKE_CURRENT_LIST_DIR}/escaping_catalogue.tsv
          -DSOURCE_DIR=${SOURCE_DIR} -DOUTPUT_DIR=${OUTPUT_DIR}
          -P ${SOURCE_DIR}/generate_help.cmake
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "generate_help.cmake failed on escaping_catalogue.tsv")
endif()

set(failures "")
function(expect file text)
  file(READ "${OUTPUT_DIR}/${file}" content)
  string(FIND "${content}" "${text}" found)
  if(found EQUAL -1)
    set(failures "${failures}  ${file} lacks: ${text}\n" PARENT_SCOPE)
  endif()
endfunction()

expect(first.htm "<title>Say &quot;hi&quot; to C:\\dir\\ &amp; &lt;you&gt;</title>")
expect(first.htm "<code>A;B, [C]</code>")
expect(first.htm "<p class=\"summary\">Naïve café7 — 100% \\n ?? \\</p>")
expect(first.htm "in the Quotes &quot;and&quot; \\back\\slashes\\ category")
expect(third.htm "<title>\\&quot;\\\\</title>")
expect(third.htm "<code>\\</code>")
expect(keywords.hhk "value=\"A;B\"><param name=\"Local\" value=\"first.htm\">")
expect(keywords.hhk "value=\"[C]\"><param name=\"Local\" value=\"first.htm\">")
expect(contents.hhc "value=\"Ünïcode; [x]\"></OBJECT>\n<UL>\n  <LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"\\&quot;\\\\\">")
expect(alias.h "IDH_1=first.htm\nIDH_2=second.htm\nIDH_3=third.htm\n")

if(NOT failures STREQUAL "")
  message(FATAL_ERROR "help project from escaping_catalogue.tsv:\n${failures}")
endif()
