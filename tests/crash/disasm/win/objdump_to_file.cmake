# Writes objdump's disassembly of PROGRAM to OUTPUT.
execute_process(COMMAND ${OBJDUMP} -d --no-show-raw-insn ${PROGRAM} OUTPUT_FILE ${OUTPUT} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "objdump failed on ${PROGRAM}")
endif()
