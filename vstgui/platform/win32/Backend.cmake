# The toolkit's drawing back end on Windows: GDI+ (system gdiplus.dll), UI descriptions read with
# XmlLite, resources from the module itself. Sets VSTGUI_BACKEND_SOURCES, VSTGUI_BACKEND_LIBS
# and VSTGUI_NATIVE_DRAWING_HEADER for vstgui/CMakeLists.txt.
set(VSTGUI_BACKEND_SOURCES
  platform/win32/WideText.cpp
  platform/win32/ModuleResources.cpp
  platform/win32/ResourceLocatorWin32.cpp
  platform/win32/GdiplusSession.cpp
  platform/win32/GdiplusDrawContext.cpp
  platform/win32/GdiplusTextRenderer.cpp
  platform/win32/GdiplusBitmap.cpp
  platform/win32/GdiplusOffscreenContext.cpp
  platform/win32/XmlTreeXmlLite.cpp
  platform/win32/ConfigurationFolder.cpp)
set(VSTGUI_BACKEND_LIBS gdiplus shlwapi ole32)
set(VSTGUI_NATIVE_DRAWING_HEADER vstgui/platform/win32/NativeDrawingGdiplus.h)
