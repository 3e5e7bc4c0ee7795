# The build-time tools of a native build tree (VEVADUR_NATIVE_TOOLS_DIR), as imported
# executables under their usual target names, for a cross build; and what it made of them.
set(VEVADUR_NATIVE_TOOLS_DIR "" CACHE PATH "Build tree of a native build holding the build-time tools")
foreach(_tool bankgen bitmapgen)
  set(_path ${VEVADUR_NATIVE_TOOLS_DIR}/tools/${_tool}/vevadur-${_tool})
  if(NOT EXISTS ${_path})
    message(FATAL_ERROR "${_path} not found: build it natively first (scripts/build-windows does)")
  endif()
  add_executable(vevadur-${_tool} IMPORTED GLOBAL)
  set_target_properties(vevadur-${_tool} PROPERTIES IMPORTED_LOCATION ${_path})
endforeach()

# The factory presets, made by the native build with its own plug-in (the state stream is the
# same on every platform), go into this build's bundle as they go into the native one.
set(_presets ${VEVADUR_NATIVE_TOOLS_DIR}/presets)
if(NOT EXISTS ${_presets}/stamp)
  message(FATAL_ERROR "${_presets} not found: build the native target vevadur_presets first (scripts/build-windows does)")
endif()
get_target_property(_bundle VevadurROT VST3_BUNDLE_DIR)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/presets.stamp
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${_bundle}/Contents/Resources/Presets
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${_presets}/VST3 ${_bundle}/Contents/Resources/Presets/VST3
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${_presets}/VST2 ${_bundle}/Contents/Resources/Presets/VST2
  COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_BINARY_DIR}/presets.stamp
  DEPENDS ${_presets}/stamp VevadurROT
  COMMENT "Copying the factory presets into the bundle")
add_custom_target(vevadur_presets ALL DEPENDS ${CMAKE_BINARY_DIR}/presets.stamp)
