# Programs that carry their own symbol map (Windows build). The crash reporter names the
# functions, source files and lines of a stack from the "SWD" "EXCEPT" resource of its
# module, so the shipped program needs no debug files. A program is linked twice from the
# same objects: the first link, NAME-dwarf.exe, keeps its DWARF and stays beside the
# program as the reference for debuggers and addr2line; symmap makes the map from it, and
# the second link, NAME.exe, adds the map as a resource and leaves the debug information
# out. Resources come after the code, so both links have the same code (tests check it).

include(ExternalProject)

# The build tools (tools/) for the build machine: everything else here is cross-compiled.
set(PALVETTA_HOST_TOOLS ${CMAKE_BINARY_DIR}/host_tools)
set(PALVETTA_SETTINGS_TOOL ${PALVETTA_HOST_TOOLS}/tools/settings_resource/settings_resource)
set(PALVETTA_SYMMAP ${PALVETTA_HOST_TOOLS}/tools/symbols/symmap)
set(PALVETTA_SYMLOOKUP ${PALVETTA_HOST_TOOLS}/tools/symbols/symlookup)
ExternalProject_Add(palvetta_host_tools
  SOURCE_DIR ${PROJECT_SOURCE_DIR}/tools/host
  BINARY_DIR ${PALVETTA_HOST_TOOLS}
  CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=g++
             -DCMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER}
  BUILD_COMMAND ${CMAKE_COMMAND} --build ${PALVETTA_HOST_TOOLS} --target symmap symlookup settings_resource
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
  BUILD_BYPRODUCTS ${PALVETTA_SYMMAP} ${PALVETTA_SYMLOOKUP} ${PALVETTA_SETTINGS_TOOL})

# palvetta_mapped_executable(NAME [WIN32] SOURCES ... LIBRARIES ... [LINK_OPTIONS ...])
function(palvetta_mapped_executable name)
  cmake_parse_arguments(ARG "WIN32" "" "SOURCES;LIBRARIES;LINK_OPTIONS" ${ARGN})
  set(kind "")
  if(ARG_WIN32)
    set(kind WIN32)
  endif()
  add_library(${name}_objects OBJECT ${ARG_SOURCES})
  target_link_libraries(${name}_objects PUBLIC ${ARG_LIBRARIES})
  palvetta_warnings(${name}_objects)

  add_executable(${name}_dwarf ${kind} $<TARGET_OBJECTS:${name}_objects>)
  target_link_libraries(${name}_dwarf PRIVATE ${ARG_LIBRARIES})
  target_link_options(${name}_dwarf PRIVATE ${ARG_LINK_OPTIONS})
  set_target_properties(${name}_dwarf PROPERTIES OUTPUT_NAME ${name}-dwarf)

  set(map ${CMAKE_CURRENT_BINARY_DIR}/${name}.swd)
  add_custom_command(OUTPUT ${map}
    COMMAND ${PALVETTA_SYMMAP} $<TARGET_FILE:${name}_dwarf> ${map} ${CMAKE_NM} ${CMAKE_OBJDUMP}
    DEPENDS ${name}_dwarf palvetta_host_tools ${PALVETTA_SYMMAP}
    COMMENT "Making the symbol map of ${name}"
    VERBATIM)
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${name}_symbol_map.rc)
  file(WRITE ${rc}.in "EXCEPT SWD \"${map}\"\n")
  configure_file(${rc}.in ${rc} COPYONLY)
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${map})

  add_executable(${name} ${kind} $<TARGET_OBJECTS:${name}_objects> ${rc} ${map})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES})
  target_link_options(${name} PRIVATE ${ARG_LINK_OPTIONS} -s)
endfunction()
