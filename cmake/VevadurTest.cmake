# What every test gets: a time limit, and the same fonts on every machine.
#
# The default limit suits an ordinary test on a busy shared machine, sanitizers included; a
# test that needs more says so (TIMEOUT seconds). Tests added with add_test take both through
# vevadur_test_properties(NAME... [TIMEOUT seconds]).
set(VEVADUR_TEST_TIMEOUT 120 CACHE STRING "Default time limit of one test, in seconds")

# Only DejaVu Sans from fonts-dejavu-core, through a fontconfig file of our own: pictures of
# text then look the same whatever fonts the machine has (Wine reads it too).
set(VEVADUR_TEST_FONTS_DIR ${CMAKE_BINARY_DIR}/test-fonts)
foreach(face DejaVuSans.ttf DejaVuSans-Bold.ttf)
  file(MAKE_DIRECTORY ${VEVADUR_TEST_FONTS_DIR}/faces)
  file(CREATE_LINK /usr/share/fonts/truetype/dejavu/${face} ${VEVADUR_TEST_FONTS_DIR}/faces/${face}
       SYMBOLIC)
endforeach()
configure_file(${CMAKE_CURRENT_LIST_DIR}/test-fonts.conf.in ${VEVADUR_TEST_FONTS_DIR}/fonts.conf
               @ONLY)
set(VEVADUR_TEST_ENVIRONMENT "FONTCONFIG_FILE=${VEVADUR_TEST_FONTS_DIR}/fonts.conf")

# vevadur_add_test(NAME SOURCES sources... LIBS libs... [TIMEOUT seconds])
function(vevadur_add_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT ${VEVADUR_TEST_TIMEOUT})
  endif()
  add_executable(${name} ${T_SOURCES})
  vevadur_warnings(${name})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  # Where a failing test leaves what it saw (pictures, logs): beside its own output.
  target_compile_definitions(${name} PRIVATE
    VEVADUR_TEST_OUTPUT_DIR="${CMAKE_CURRENT_BINARY_DIR}/test-output")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT ${T_TIMEOUT} ENVIRONMENT "${VEVADUR_TEST_ENVIRONMENT}")
endfunction()

# vevadur_test_properties(NAME... [TIMEOUT seconds]): the same for tests made with add_test.
function(vevadur_test_properties)
  cmake_parse_arguments(T "" "TIMEOUT" "" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT ${VEVADUR_TEST_TIMEOUT})
  endif()
  set_tests_properties(${T_UNPARSED_ARGUMENTS} PROPERTIES TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "${VEVADUR_TEST_ENVIRONMENT}")
endfunction()

# Checks that every test of the build tree has a limit (call once, at the end of the tests).
function(vevadur_check_test_timeouts)
  add_test(NAME every_test_has_a_time_limit
    COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${CMAKE_BINARY_DIR}
            -P ${PROJECT_SOURCE_DIR}/cmake/CheckTestTimeouts.cmake)
  set_tests_properties(every_test_has_a_time_limit PROPERTIES TIMEOUT 60)
endfunction()
