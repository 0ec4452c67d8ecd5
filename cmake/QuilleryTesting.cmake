# GoogleTest for both configurations: natively Debian's libgtest-dev; for Windows built
# from the sources that Debian's googletest package installs, with the same cross compiler.

set(QUILLERY_GOOGLETEST_SOURCE "/usr/src/googletest" CACHE PATH "GoogleTest sources")
if(WIN32 AND NOT CMAKE_CROSSCOMPILING AND NOT EXISTS "${QUILLERY_GOOGLETEST_SOURCE}/CMakeLists.txt")
  # Building on Windows itself: an installed GoogleTest package (vcpkg, MSYS2) will do.
  find_package(GTest REQUIRED)
elseif(WIN32)
  if(NOT EXISTS "${QUILLERY_GOOGLETEST_SOURCE}/CMakeLists.txt")
    message(FATAL_ERROR "GoogleTest sources not found at ${QUILLERY_GOOGLETEST_SOURCE}; "
                        "run scripts/install-deps.sh")
  endif()
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(${QUILLERY_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  if(NOT TARGET GTest::gtest)  # GoogleTest 1.11 and later define these themselves
    add_library(GTest::gtest ALIAS gtest)
    add_library(GTest::gtest_main ALIAS gtest_main)
    add_library(GTest::gmock ALIAS gmock)
  endif()
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)

# quillery_test(<name> SOURCES ... DEPENDS ... [TIMEOUT seconds] [SHARDS n]): one GoogleTest
# program. Natively every test case is its own CTest test, given 60 seconds unless TIMEOUT
# says otherwise; under Wine the whole program is one CTest test, because starting Wine costs
# far more than running the cases, or with SHARDS, n tests that each run every n-th case
# (GoogleTest's sharding), so that a long program stays within each test's 300 seconds.
function(quillery_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT;SHARDS" "SOURCES;DEPENDS" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 60)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} GTest::gmock GTest::gtest_main)
  quillery_target_defaults(${name})
  if(WIN32 AND ARG_SHARDS)
    math(EXPR last "${ARG_SHARDS} - 1")
    foreach(index RANGE ${last})
      add_test(NAME ${name}_${index} COMMAND ${name} --gtest_brief=1)
      set_tests_properties(${name}_${index} PROPERTIES LABELS wine TIMEOUT 300 RESOURCE_LOCK clipboard
        ENVIRONMENT "GTEST_TOTAL_SHARDS=${ARG_SHARDS};GTEST_SHARD_INDEX=${index}")
    endforeach()
  elseif(WIN32)
    add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
    # The clipboard is one for the whole Wine session: programs that use it take turns.
    set_tests_properties(${name} PROPERTIES LABELS wine TIMEOUT 300 RESOURCE_LOCK clipboard)
  else()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST PROPERTIES LABELS native TIMEOUT ${ARG_TIMEOUT})
  endif()
endfunction()
