# palvetta_catalogue_table(<output> <catalogue.tsv>) generates, at build time, the C++
# catalogue table of a catalogue file (see generate_table.cmake). The target that lists
# <output> among its sources has it made before it compiles. PALVETTA_CATALOGUE names the
# program's catalogue file, the source of its catalogue and of its help topics.
set(PALVETTA_CATALOGUE ${CMAKE_CURRENT_LIST_DIR}/catalogue.tsv)
set(PALVETTA_CATALOGUE_SCRIPTS ${CMAKE_CURRENT_LIST_DIR})

function(palvetta_catalogue_table output catalogue)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DCATALOGUE=${catalogue} -DOUTPUT=${output}
            -P ${PALVETTA_CATALOGUE_SCRIPTS}/generate_table.cmake
    DEPENDS ${catalogue} ${PALVETTA_CATALOGUE_SCRIPTS}/generate_table.cmake
            ${PALVETTA_CATALOGUE_SCRIPTS}/read_catalogue.cmake
    COMMENT "Generating the catalogue table from ${catalogue}"
    VERBATIM)
endfunction()
