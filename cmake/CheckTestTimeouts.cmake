# cmake -DBUILD_DIR=... -P CheckTestTimeouts.cmake: fails naming every test of the build tree
# that has no TIMEOUT of its own, so that no test can wait longer than its stated limit.
execute_process(COMMAND ${CMAKE_CTEST_COMMAND} --show-only=json-v1
  WORKING_DIRECTORY ${BUILD_DIR} OUTPUT_VARIABLE json RESULT_VARIABLE status TIMEOUT 60)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "ctest --show-only failed (${status})")
endif()
string(JSON count LENGTH "${json}" tests)
set(missing "")
math(EXPR last "${count} - 1")
foreach(i RANGE ${last})
  string(JSON name GET "${json}" tests ${i} name)
  string(JSON properties ERROR_VARIABLE none GET "${json}" tests ${i} properties)
  # A test program not built yet stands in as NAME_NOT_BUILT, which fails on its own.
  if(NOT properties MATCHES "\"name\" *: *\"TIMEOUT\"" AND NOT name MATCHES "_NOT_BUILT$")
    list(APPEND missing ${name})
  endif()
endforeach()
if(missing)
  list(JOIN missing "\n  " text)
  message(FATAL_ERROR "tests without a TIMEOUT (use vevadur_add_test or vevadur_test_properties):\n  ${text}")
endif()
message(STATUS "all ${count} tests have a time limit")
