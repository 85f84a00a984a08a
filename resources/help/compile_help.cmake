# Compiles the generated help project with chmcmd and moves the result into place. chmcmd
# exits with 0 after some failures (a missing project file, for one), so its output is
# read too: anything beyond its notes and progress lines fails the build.
# Run as:
#   cmake -DCHMCMD=<chmcmd> -DPROJECT=<folder>/palvetta.hhp -DOUTPUT=<palvetta.chm> -P compile_help.cmake
cmake_minimum_required(VERSION 3.20)

foreach(required CHMCMD PROJECT OUTPUT)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "compile_help.cmake needs -D${required}=...")
  endif()
endforeach()

get_filename_component(project_dir "${PROJECT}" DIRECTORY)
get_filename_component(project_name "${PROJECT}" NAME)
set(compiled "${project_dir}/palvetta.chm")
file(REMOVE "${compiled}")
execute_process(COMMAND "${CHMCMD}" "${project_name}"
  WORKING_DIRECTORY "${project_dir}"
  RESULT_VARIABLE result
  OUTPUT_VARIABLE output
  ERROR_VARIABLE output)
file(WRITE "${project_dir}/chmcmd.log" "${output}")

string(REPLACE "\n" ";" lines "${output}")
set(complaints "")
foreach(line IN LISTS lines)
  if(NOT line MATCHES "^(Note: |Writing CHM |chmcmd, a CHM compiler|[ \t]*$)")
    string(APPEND complaints "  ${line}\n")
  endif()
endforeach()
if(NOT result EQUAL 0 OR NOT complaints STREQUAL "" OR NOT EXISTS "${compiled}")
  message(FATAL_ERROR "chmcmd failed on ${PROJECT} (exit code ${result}):\n${output}")
endif()
file(RENAME "${compiled}" "${OUTPUT}")
