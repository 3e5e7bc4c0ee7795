# The build-time tools of a native build tree (VEVADUR_NATIVE_TOOLS_DIR), as imported
# executables under their usual target names, for a cross build.
set(VEVADUR_NATIVE_TOOLS_DIR "" CACHE PATH "Build tree of a native build holding the build-time tools")
foreach(_tool bankgen bitmapgen)
  set(_path ${VEVADUR_NATIVE_TOOLS_DIR}/tools/${_tool}/vevadur-${_tool})
  if(NOT EXISTS ${_path})
    message(FATAL_ERROR "${_path} not found: build it natively first (scripts/build-windows does)")
  endif()
  add_executable(vevadur-${_tool} IMPORTED GLOBAL)
  set_target_properties(vevadur-${_tool} PROPERTIES IMPORTED_LOCATION ${_path})
endforeach()
