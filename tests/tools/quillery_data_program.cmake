# Runs the real quillery-data (through EMULATOR, if given): --help succeeds with the usage
# text, and verify of a missing file fails with status 2 and says why.
#   cmake -DPROGRAM=... [-DEMULATOR=...] -DWORK_DIR=... -P quillery_data_program.cmake

set(missing "no-such-data-file.dat")
file(REMOVE "${WORK_DIR}/${missing}")

execute_process(COMMAND ${EMULATOR} "${PROGRAM}" --help
  WORKING_DIRECTORY "${WORK_DIR}"
  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT status EQUAL 0 OR NOT output MATCHES "Usage: quillery-data")
  message(FATAL_ERROR "--help: status ${status}, output:\n${output}\n${errors}")
endif()

execute_process(COMMAND ${EMULATOR} "${PROGRAM}" verify "${missing}"
  WORKING_DIRECTORY "${WORK_DIR}"
  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT status EQUAL 2 OR NOT errors MATCHES "Cannot open data file .*${missing}")
  message(FATAL_ERROR "verify of a missing file: status ${status}, expected 2; "
                      "output:\n${output}\nerrors:\n${errors}")
endif()
