# Our host on Windows: the same host library and renderer, loading DLLs with LoadLibrary and
# reading and writing WAV files without libsndfile. vevadur-render.exe and vevadur-editor.exe
# run under Wine too.
add_library(vevadur_host STATIC
  ComponentHandler.cpp
  HostContext.cpp
  PluginInstance.cpp
  PluginModule.cpp
  win32/PluginModuleWin32.cpp
  ProcessBlock.cpp
)
target_include_directories(vevadur_host PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(vevadur_host PUBLIC vst3sdk)
vevadur_warnings(vevadur_host)

add_library(vevadur_render STATIC
  render/win32/BundleLocationWin32.cpp
  render/ParameterSetting.cpp
  render/ProgressBar.cpp
  render/RenderOptions.cpp
  render/Renderer.cpp
  render/win32/WavReader.cpp
  render/win32/WavWriter.cpp
)
target_link_libraries(vevadur_render PUBLIC vevadur_host)
vevadur_warnings(vevadur_render)

add_executable(vevadur-render render/main.cpp)
target_link_libraries(vevadur-render PRIVATE vevadur_render)
vevadur_warnings(vevadur-render)
if(TARGET VevadurROT)
  add_dependencies(vevadur-render VevadurROT)
endif()

# vevadur-editor.exe: the plug-in's editor in a top-level Win32 window, served by the thread's
# message loop.
add_library(vevadur_editor_host STATIC
  editor/win32/EditorWindowWin32.cpp
  editor/win32/ShowEditorWin32.cpp
)
target_link_libraries(vevadur_editor_host PUBLIC vevadur_host user32)
vevadur_warnings(vevadur_editor_host)

add_executable(vevadur-editor editor/main.cpp)
target_link_libraries(vevadur-editor PRIVATE vevadur_editor_host vevadur_render)
vevadur_warnings(vevadur-editor)
if(TARGET VevadurROT)
  add_dependencies(vevadur-editor VevadurROT)
endif()
