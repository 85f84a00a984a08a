# System libraries that only later work needs are delay-loaded: each DLL loads at the
# first call of one of its functions instead of when the program starts, so start-up does
# not pay for the file dialogs, the shell, COM, the update check's HTTP and signature
# checks, network shares and version resources. (GNU ld has no switch for it: a program
# links a delay-import library instead of the import library.)
# Everything that names one of these in palvetta_library's WIN_LIBS links the delay-import
# library; mingw's own run time resolves the first call (__delayLoadHelper2), and a DLL
# that is missing ends the program at that call, as a missing import would at start.
# (shcore is not among them: restoring the main window's placement asks it for each
# monitor's DPI before the window shows.)
set(PALVETTA_DELAY_LOADED comdlg32 crypt32 mpr ole32 shell32 version winhttp wintrust)

# The delay-import library of a system DLL, made once at configure time from the function
# names of the toolchain's import library (a function has a thunk "T name" beside its
# slot "I __imp_name"; data has no thunk and cannot be delay-loaded).
function(palvetta_delay_import_library dll out_var)
  set(folder ${CMAKE_BINARY_DIR}/delay-load)
  set(library ${folder}/lib${dll}_delay.a)
  if(NOT EXISTS ${library})
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=lib${dll}.a
      OUTPUT_VARIABLE import OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    execute_process(COMMAND ${CMAKE_NM} --defined-only ${import}
      OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
    string(REGEX MATCHALL "I __imp_[^\n]+" slots "${symbols}")
    string(REGEX MATCHALL "T [^\n]+" thunks "${symbols}")
    list(TRANSFORM slots REPLACE "^I __imp_" "")
    list(TRANSFORM thunks REPLACE "^T " "")
    set(exports "")
    foreach(name IN LISTS thunks)
      if(name IN_LIST slots)
        string(APPEND exports "  ${name}\n")
      endif()
    endforeach()
    file(WRITE ${folder}/${dll}.def "LIBRARY ${dll}.dll\nEXPORTS\n${exports}")
    execute_process(COMMAND ${CMAKE_DLLTOOL} --input-def ${folder}/${dll}.def
      --dllname ${dll}.dll --output-delaylib ${library} COMMAND_ERROR_IS_FATAL ANY)
  endif()
  set(${out_var} ${library} PARENT_SCOPE)
endfunction()

# The libraries to link for these Windows library names: the delay-import library in place
# of each one delay-loaded.
function(palvetta_windows_libraries out_var)
  set(libraries "")
  foreach(name IN LISTS ARGN)
    if(name IN_LIST PALVETTA_DELAY_LOADED)
      palvetta_delay_import_library(${name} name)
    endif()
    list(APPEND libraries ${name})
  endforeach()
  set(${out_var} ${libraries} PARENT_SCOPE)
endfunction()
