# vevadur_add_test(NAME SOURCES sources... LIBS libs... [TIMEOUT seconds]
#                  [PROPERTIES test properties...])
# PROPERTIES go to every test found in the program (LABELS, ...).
#
# What every test's environment holds, on any machine: the editor reads the user's zoom and the
# desktop's scale, so tests see a settings folder of their own and no GDK_SCALE.
set(VEVADUR_TEST_ENVIRONMENT "XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/test-config")
set(VEVADUR_TEST_UNSET_ENVIRONMENT GDK_SCALE)

# The environment as a launcher for gtest_discover_tests, whose PROPERTIES cannot carry a list
# (an ENVIRONMENT of several variables would shift every property after it).
function(vevadur_test_launcher out)
  set(launcher env)
  foreach(variable ${VEVADUR_TEST_UNSET_ENVIRONMENT})
    list(APPEND launcher -u ${variable})
  endforeach()
  list(APPEND launcher ${VEVADUR_TEST_ENVIRONMENT})
  set(${out} "${launcher}" PARENT_SCOPE)
endfunction()

function(vevadur_add_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS;PROPERTIES" ${ARGN})
  if(T_TIMEOUT)
    list(APPEND T_PROPERTIES TIMEOUT ${T_TIMEOUT})
  endif()
  add_executable(${name} ${T_SOURCES})
  vevadur_warnings(${name})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  vevadur_discover_tests(${name} PROPERTIES ${T_PROPERTIES})
endfunction()

# vevadur_discover_tests(TARGET [gtest_discover_tests options...]): the tests of a GoogleTest
# program made without vevadur_add_test, in the same environment.
function(vevadur_discover_tests name)
  vevadur_test_launcher(launcher)
  set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR "${launcher}")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 ${ARGN})
endfunction()
