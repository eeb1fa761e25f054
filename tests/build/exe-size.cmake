# The exe within its budget: a ten-row utility has no business being larger.
#   cmake -DEXE=<exe> -DBUDGET=<bytes> -P exe-size.cmake
if(NOT BUDGET)
  message(FATAL_ERROR "No budget given")
endif()
file(SIZE "${EXE}" size)
if(size GREATER BUDGET)
  message(FATAL_ERROR "The exe is ${size} bytes, over its budget of ${BUDGET}: a linker map "
                      "(-Wl,-Map) shows what grew")
endif()
message(STATUS "The exe is ${size} bytes, within its budget of ${BUDGET}")
