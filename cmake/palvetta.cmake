# Settings shared by every target of our own code.

get_filename_component(PALVETTA_ROOT ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)

if(WIN32)
  # A static program finds no MinGW runtime DLL missing on the user's machine.
  add_link_options(-static)
  add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00)
elseif(PALVETTA_FUZZ)
  # Coverage for libFuzzer in every library; only the fuzz targets link its main.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
elseif(PALVETTA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

if(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/delay_load.cmake)
endif()

# Own code is warning-free; third-party code (GoogleTest) is not held to this.
function(palvetta_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
  # GCC 12 reports a false -Wrestrict on "literal" + std::string when optimising (GCC bug
  # 105329).
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict)
    # When optimising it also takes the thread block's fixed address that NtCurrentTeb
    # reads for an access out of bounds (GCC bug 99578) unless no page counts as unmapped;
    # the parameter only concerns warnings.
    if(WIN32)
      target_compile_options(${target} PRIVATE --param=min-pagesize=0)
    endif()
  endif()
endfunction()

# Environment of every program that ctest runs under Wine: a prefix inside the build
# folder, no debug chatter, and no Gecko/Mono installers (there is no network).
set(PALVETTA_WINE_ENV
  "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix"
  "WINEDEBUG=-all"
  "WINEDLLOVERRIDES=mscoree,mshtml=;winemenubuilder.exe=d")

# A libFuzzer target of the fuzz build (clang, PALVETTA_FUZZ): one source and the libraries
# it exercises.
function(palvetta_fuzz_target name source)
  add_executable(${name} ${source})
  target_link_libraries(${name} PRIVATE ${ARGN})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  palvetta_warnings(${name})
endfunction()

# Adds a library of our own as two targets, so that portable code links no Windows library:
#   NAME       SOURCES, and the platform's own implementations of portable headers
#              (HOST_SOURCES on the host, WIN_PORT_SOURCES on Windows); links DEPENDS.
#   NAME_win   WIN_SOURCES (Windows only): the library's Windows half. It links NAME, the
#              Windows halves of DEPENDS, WIN_DEPENDS and the system libraries WIN_LIBS.
function(palvetta_library name)
  cmake_parse_arguments(ARG "" ""
    "SOURCES;WIN_SOURCES;WIN_PORT_SOURCES;HOST_SOURCES;DEPENDS;WIN_DEPENDS;WIN_LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  if(WIN32)
    target_sources(${name} PRIVATE ${ARG_WIN_PORT_SOURCES})
  else()
    target_sources(${name} PRIVATE ${ARG_HOST_SOURCES})
  endif()
  target_include_directories(${name} PUBLIC ${PALVETTA_ROOT}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
  palvetta_warnings(${name})
  if(WIN32 AND ARG_WIN_SOURCES)
    add_library(${name}_win STATIC ${ARG_WIN_SOURCES})
    target_link_libraries(${name}_win PUBLIC ${name})
    foreach(dependency IN LISTS ARG_DEPENDS)
      if(TARGET ${dependency}_win)
        target_link_libraries(${name}_win PUBLIC ${dependency}_win)
      endif()
    endforeach()
    palvetta_windows_libraries(win_libs ${ARG_WIN_LIBS})
    target_link_libraries(${name}_win PUBLIC ${ARG_WIN_DEPENDS} ${win_libs})
    palvetta_warnings(${name}_win)
  endif()
endfunction()
