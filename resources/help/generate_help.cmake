# Writes the help project from the catalogue table: one page per catalogue entry, the
# start page, the table of contents, the keyword index, the context map and aliases, and
# the .hhp project that chmcmd compiles. Run as:
#   cmake -DCATALOGUE=<catalogue.tsv> -DSOURCE_DIR=<resources/help>
#         -DOUTPUT_DIR=<folder to fill> -P generate_help.cmake
# The folder is emptied first, so a page of a removed entry cannot linger in the help file.
cmake_minimum_required(VERSION 3.20)

foreach(required CATALOGUE SOURCE_DIR OUTPUT_DIR)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "generate_help.cmake needs -D${required}=...")
  endif()
endforeach()
include(${CMAKE_CURRENT_LIST_DIR}/../catalogue/read_catalogue.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/html_escape.cmake)


function(page_head out title)
  html_escape(title "${title}")
  set(${out} "<!DOCTYPE html>
<html lang=\"en\">
<head>
<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">
<title>${title}</title>
<link rel=\"stylesheet\" href=\"style.css\">
</head>
<body>
" PARENT_SCOPE)
endfunction()

function(sitemap_entry out name local)
  html_escape(name "${name}")
  set(${out} "<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"${name}\"><param name=\"Local\" value=\"${local}\"></OBJECT>\n" PARENT_SCOPE)
endfunction()

# The palette shows an entry at the chosen level and every level above it.
set(level_note_Basic "It is shown at every level of the palette.")
set(level_note_Advanced "It is shown when the level box is set to \"Level: Advanced\" or \"Level: Super pro\".")
set(level_note_Super_pro "It is shown only when the level box is set to \"Level: Super pro\".")

file(REMOVE_RECURSE "${OUTPUT_DIR}")
file(MAKE_DIRECTORY "${OUTPUT_DIR}")

read_catalogue("${CATALOGUE}")
set(pages "")
set(alias_lines "")
set(map_lines "")
set(index_entries "")
math(EXPR last_category "${catalogue_category_count} - 1")
foreach(c RANGE ${last_category})
  set(category_entries_${c} "")
  set(category_links_${c} "")
endforeach()
math(EXPR last_entry "${catalogue_entry_count} - 1")
foreach(i RANGE ${last_entry})
  foreach(field id stem title command level description)
    set(${field} "${catalogue_entry_${i}_${field}}")
  endforeach()
  set(category_index ${catalogue_entry_${i}_category})
  set(category "${catalogue_category_${category_index}_title}")
  string(MAKE_C_IDENTIFIER "${level}" level_key)

  # The contents nest the entries under their categories.
  html_escape(title_html "${title}")
  sitemap_entry(entry "${title}" "${stem}.htm")
  string(APPEND category_entries_${category_index} "  ${entry}")
  string(APPEND category_links_${category_index} "<li><a href=\"${stem}.htm\">${title_html}</a></li>\n")

  html_escape(description_html "${description}")
  html_escape(category_html "${category}")
  html_escape(command_html "${command}")
  page_head(page "${title}")
  string(APPEND page "<h1>${title_html}</h1>
<p class=\"summary\">${description_html}</p>
<table class=\"facts\">
<tr><th>Category</th><td>${category_html}</td></tr>
")
  if(command STREQUAL "")
    set(generated "When the batch file is made, the item writes the lines it stands for at its place in the list.")
  else()
    string(APPEND page "<tr><th>Command</th><td><code>${command_html}</code></td></tr>\n")
    set(generated "When the batch file is made, the item writes its <code>${command_html}</code> command at its place in the list.")
  endif()
  string(APPEND page "</table>
<h2>Using it</h2>
<p>Find &quot;${title_html}&quot; in the ${category_html} category of the command palette. Double-click it to add it at the end of the project, or drag it to the place in the project list where it belongs. ${level_note_${level_key}}</p>
<p>Double-click the item in the project list to change its settings. ${generated}</p>
<p class=\"links\"><a href=\"main_window.htm\">The main window</a> | <a href=\"index.htm\">Contents</a></p>
</body>
</html>
")
  file(WRITE "${OUTPUT_DIR}/${stem}.htm" "${page}")
  list(APPEND pages "${stem}.htm")
  string(APPEND alias_lines "IDH_${id}=${stem}.htm\n")
  string(APPEND map_lines "#define IDH_${id} ${id}\n")
  string(APPEND index_entries "${entry}")
  if(NOT command STREQUAL "")
    # Each keyword of the entry ("MKDIR, MD") leads to its page too.
    set(keywords "${command},")
    string(FIND "${keywords}" "," comma)
    while(NOT comma EQUAL -1)
      string(SUBSTRING "${keywords}" 0 ${comma} keyword)
      math(EXPR comma "${comma} + 1")
      string(SUBSTRING "${keywords}" ${comma} -1 keywords)
      string(STRIP "${keyword}" keyword)
      sitemap_entry(keyword_entry "${keyword}" "${stem}.htm")
      string(APPEND index_entries "${keyword_entry}")
      string(FIND "${keywords}" "," comma)
    endwhile()
  endif()
endforeach()

# Pages written by hand, and the fixed contexts of the windows.
set(static_pages main_window.htm settings.htm)
foreach(file IN LISTS static_pages ITEMS style.css)
  file(COPY "${SOURCE_DIR}/${file}" DESTINATION "${OUTPUT_DIR}")
endforeach()
string(PREPEND alias_lines "IDH_20=main_window.htm\nIDH_60=settings.htm\n")
string(PREPEND map_lines "#define IDH_20 20\n#define IDH_60 60\n")

# The start page lists the categories with their entries; the contents tree nests them.
set(catalogue_html "")
set(contents_categories "")
foreach(c RANGE ${last_category})
  html_escape(category_html "${catalogue_category_${c}_title}")
  string(APPEND catalogue_html "<h2>${category_html}</h2>\n<ul>\n${category_links_${c}}</ul>\n")
  string(APPEND contents_categories "<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"${category_html}\"></OBJECT>\n<UL>\n${category_entries_${c}}</UL>\n")
endforeach()
set(CATALOGUE "${catalogue_html}")
configure_file("${SOURCE_DIR}/index.htm.in" "${OUTPUT_DIR}/index.htm" @ONLY)

set(sitemap_head "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">
<HTML>
<HEAD></HEAD>
<BODY>
<UL>
")
sitemap_entry(start "Palvetta" "index.htm")
sitemap_entry(main_window "The main window" "main_window.htm")
sitemap_entry(settings "Settings" "settings.htm")
file(WRITE "${OUTPUT_DIR}/contents.hhc" "${sitemap_head}${start}${main_window}${settings}<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"Commands\"></OBJECT>
<UL>
${contents_categories}</UL>
</UL>
</BODY>
</HTML>
")
file(WRITE "${OUTPUT_DIR}/keywords.hhk" "${sitemap_head}${main_window}${settings}${index_entries}</UL>
</BODY>
</HTML>
")

file(WRITE "${OUTPUT_DIR}/alias.h" "${alias_lines}")
file(WRITE "${OUTPUT_DIR}/context.h" "${map_lines}")

list(JOIN pages "\n" page_list)
file(WRITE "${OUTPUT_DIR}/palvetta.hhp" "[OPTIONS]
Compatibility=1.1 or later
Compiled file=palvetta.chm
Contents file=contents.hhc
Index file=keywords.hhk
Default topic=index.htm
Display compile progress=No
Full-text search=Yes
Language=0x409 English (United States)
Title=Palvetta Help

[FILES]
index.htm
main_window.htm
settings.htm
style.css
${page_list}

[ALIAS]
#include alias.h

[MAP]
#include context.h
")
