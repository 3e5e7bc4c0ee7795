# vevadur_add_vst3_bundle(TARGET NAME SOURCES ... LIBS ...) for Windows: the plug-in DLL in the
# bundle layout NAME.vst3/Contents/x86_64-win/NAME.vst3 at the top of the build tree, with
# Contents/Resources beside it. The .def file fixes the exports; the version block is compiled
# in. Replaces the Linux definition of the same name.
function(vevadur_add_vst3_bundle target name)
  cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
  set(bundle ${CMAKE_BINARY_DIR}/${name}.vst3)
  add_library(${target} MODULE ${B_SOURCES}
    ${PROJECT_SOURCE_DIR}/vst3/VevadurROT.def
    ${PROJECT_SOURCE_DIR}/vst3/VersionInfo.rc)
  target_link_libraries(${target} PRIVATE ${B_LIBS})
  vevadur_warnings(${target})
  set_target_properties(${target} PROPERTIES
    PREFIX ""
    SUFFIX ".vst3"
    OUTPUT_NAME ${name}
    LIBRARY_OUTPUT_DIRECTORY ${bundle}/Contents/x86_64-win
    RUNTIME_OUTPUT_DIRECTORY ${bundle}/Contents/x86_64-win)
  target_link_options(${target} PRIVATE -Wl,--no-undefined)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E make_directory ${bundle}/Contents/Resources)
  set_property(TARGET ${target} PROPERTY VST3_BUNDLE_DIR ${bundle})
endfunction()
