# vevadur_add_test(NAME SOURCES sources... LIBS libs... [PROPERTIES test properties...])
# PROPERTIES go to every test found in the program (LABELS, TIMEOUT, ...).
function(vevadur_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;PROPERTIES" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  vevadur_warnings(${name})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  # The editor reads the user's zoom and the desktop's scale: tests see neither.
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ENVIRONMENT
    "XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/test-config;GDK_SCALE=" ${T_PROPERTIES})
endfunction()
