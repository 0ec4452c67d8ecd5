# Runs the real quillery-data (through EMULATOR, if given): --help succeeds with the usage
# text, verify of a missing file fails with status 2 and says why, and encrypted files
# are written and read.
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

# An encrypted file: built with a password from a file, read back with it, refused with
# another (status 3); with ACCOUNT set, also one for the Windows account.
function(run_program expected_status)
  execute_process(COMMAND ${EMULATOR} "${PROGRAM}" ${ARGN}
    WORKING_DIRECTORY "${WORK_DIR}"
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
  if(NOT status EQUAL expected_status)
    message(FATAL_ERROR "${ARGN}: status ${status}, expected ${expected_status}; "
                        "output:\n${output}\nerrors:\n${errors}")
  endif()
  set(output "${output}" PARENT_SCOPE)
  set(errors "${errors}" PARENT_SCOPE)
endfunction()

set(document "program-test.json")
file(WRITE "${WORK_DIR}/${document}"
  "{\"items\": [{\"kind\": \"text\", \"text\": \"secret clip\",
                 \"categoryId\": 10, \"created\": 46364.5}]}\n")
file(WRITE "${WORK_DIR}/program-test-pw.txt" "pass word\r\n")
file(WRITE "${WORK_DIR}/program-test-other.txt" "another\n")
file(REMOVE "${WORK_DIR}/program-test-encrypted.dat")

run_program(0 build ${document} program-test-encrypted.dat
            --encrypt password --password-file program-test-pw.txt)
file(READ "${WORK_DIR}/program-test-encrypted.dat" head LIMIT 12 HEX)
if(NOT head STREQUAL "5175696c6c657279456e6372")  # "QuilleryEncr"
  message(FATAL_ERROR "build --encrypt password wrote no encrypted file: '${head}'")
endif()
run_program(0 dump program-test-encrypted.dat --password-file program-test-pw.txt)
if(NOT output MATCHES "\"secret clip\"")
  message(FATAL_ERROR "dump of the encrypted file lost the clip:\n${output}")
endif()
run_program(0 verify program-test-encrypted.dat --password-file program-test-pw.txt)
if(NOT output MATCHES "encrypted with a password, 1 clip")
  message(FATAL_ERROR "verify of the encrypted file:\n${output}")
endif()
run_program(3 dump program-test-encrypted.dat --password-file program-test-other.txt)
if(NOT errors MATCHES "wrong password")
  message(FATAL_ERROR "dump with a wrong password:\n${errors}")
endif()

if(ACCOUNT)
  run_program(0 build ${document} program-test-account.dat --encrypt account)
  run_program(0 verify program-test-account.dat)
  if(NOT output MATCHES "encrypted for a Windows account, 1 clip")
    message(FATAL_ERROR "verify of the account's file:\n${output}")
  endif()
endif()
