# Writes the program's catalogue table from catalogue.tsv: the arrays kCategories and
# kEntries of src/app/catalogue.h's types, for inclusion in a source file. Run as:
#   cmake -DCATALOGUE=<catalogue.tsv> -DOUTPUT=<file to write> -P generate_table.cmake
cmake_minimum_required(VERSION 3.20)

foreach(required CATALOGUE OUTPUT)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "generate_table.cmake needs -D${required}=...")
  endif()
endforeach()
include(${CMAKE_CURRENT_LIST_DIR}/read_catalogue.cmake)

set(level_enum_Basic clBasic)
set(level_enum_Advanced clAdvanced)
set(level_enum_Super_pro clAdmin)

# A C++ string literal holding exactly the bytes of text. Bytes outside printable ASCII
# become octal escapes: they never run into the character after them, as hex escapes
# would, and they do not depend on the compiler's source or execution character set.
function(cpp_string_literal out text)
  string(HEX "${text}" hex)
  string(LENGTH "${hex}" length)
  set(literal "")
  set(at 0)
  while(at LESS length)
    string(SUBSTRING "${hex}" ${at} 2 byte)
    math(EXPR at "${at} + 2")
    math(EXPR code "0x${byte}")
    if(code EQUAL 34)
      string(APPEND literal "\\\"")
    elseif(code EQUAL 92)
      string(APPEND literal "\\\\")
    elseif(code GREATER_EQUAL 32 AND code LESS 127)
      string(ASCII ${code} character)
      string(APPEND literal "${character}")
    else()
      math(EXPR high "${code} >> 6")
      math(EXPR middle "(${code} >> 3) & 7")
      math(EXPR low "${code} & 7")
      string(APPEND literal "\\${high}${middle}${low}")
    endif()
  endwhile()
  set(${out} "\"${literal}\"" PARENT_SCOPE)
endfunction()

read_catalogue("${CATALOGUE}")

get_filename_component(source_name "${CATALOGUE}" NAME)
set(code "// Generated from ${source_name} at build time; change the table, not this file.\n\n")
string(APPEND code "constexpr TCatalogueCategory kCategories[] = {\n")
math(EXPR last_category "${catalogue_category_count} - 1")
foreach(c RANGE ${last_category})
  cpp_string_literal(title "${catalogue_category_${c}_title}")
  string(APPEND code "    {${title}, ${catalogue_category_${c}_image}, "
                     "${catalogue_category_${c}_entry_count}},\n")
endforeach()
string(APPEND code "};\n\n")

string(APPEND code "// The entries of every category in turn, in palette order.\n")
string(APPEND code "constexpr TCatalogueEntry kEntries[] = {\n")
math(EXPR last_entry "${catalogue_entry_count} - 1")
foreach(i RANGE ${last_entry})
  set(entry catalogue_entry_${i})
  foreach(text title command description)
    cpp_string_literal(${text} "${${entry}_${text}}")
  endforeach()
  string(MAKE_C_IDENTIFIER "${${entry}_level}" level_key)
  string(APPEND code "    {\"${${entry}_class}\", ${title}, ${command}, "
                     "TCommandLevel::${level_enum_${level_key}}, ${${entry}_image}, "
                     "${${entry}_id},\n     ${description}},\n")
endforeach()
string(APPEND code "};\n")

file(WRITE "${OUTPUT}" "${code}")
