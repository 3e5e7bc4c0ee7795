# What every test gets: a time limit, and the same environment on every machine.
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

# The environment: those fonts; and, since the editor reads the user's zoom and the desktop's
# scale, a settings folder of the tests' own and no GDK_SCALE.
set(VEVADUR_TEST_ENVIRONMENT "FONTCONFIG_FILE=${VEVADUR_TEST_FONTS_DIR}/fonts.conf"
    "XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/test-config")
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

# vevadur_add_test(NAME SOURCES sources... LIBS libs... [TIMEOUT seconds]
#                  [PROPERTIES test properties...])
# PROPERTIES go to every test found in the program (LABELS, ...).
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

# vevadur_discover_tests(TARGET [gtest_discover_tests options...] [PROPERTIES ...]): the tests of
# a GoogleTest program, also one made without vevadur_add_test, with the default limit (a
# TIMEOUT among the PROPERTIES overrides it) in the common environment.
function(vevadur_discover_tests name)
  cmake_parse_arguments(D "" "" "PROPERTIES" ${ARGN})
  # Where a failing test leaves what it saw (pictures, logs): beside its own output.
  target_compile_definitions(${name} PRIVATE
    VEVADUR_TEST_OUTPUT_DIR="${CMAKE_CURRENT_BINARY_DIR}/test-output")
  vevadur_test_launcher(launcher)
  set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR "${launcher}")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 ${D_UNPARSED_ARGUMENTS}
    PROPERTIES TIMEOUT ${VEVADUR_TEST_TIMEOUT} ${D_PROPERTIES})
endfunction()

# vevadur_test_properties(NAME... [TIMEOUT seconds]): the same for tests made with add_test.
function(vevadur_test_properties)
  cmake_parse_arguments(T "" "TIMEOUT" "" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT ${VEVADUR_TEST_TIMEOUT})
  endif()
  set(unset)
  foreach(variable ${VEVADUR_TEST_UNSET_ENVIRONMENT})
    list(APPEND unset ${variable}=unset:)
  endforeach()
  set_tests_properties(${T_UNPARSED_ARGUMENTS} PROPERTIES TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "${VEVADUR_TEST_ENVIRONMENT}" ENVIRONMENT_MODIFICATION "${unset}")
endfunction()

# Checks that every test of the build tree has a limit (call once, at the end of the tests).
function(vevadur_check_test_timeouts)
  add_test(NAME every_test_has_a_time_limit
    COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${CMAKE_BINARY_DIR}
            -P ${PROJECT_SOURCE_DIR}/cmake/CheckTestTimeouts.cmake)
  set_tests_properties(every_test_has_a_time_limit PROPERTIES TIMEOUT 60)
endfunction()
