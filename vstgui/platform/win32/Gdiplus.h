#pragma once

// GDI+, the toolkit's drawing back end on Windows.
#include <windows.h>

#include <objidl.h>

#include <gdiplus.h>

namespace VSTGUI::Win32
{
// Starts GDI+ for the process on first use and leaves it running: a DLL may not start or stop
// it from DllMain, and several editors (and hosts' other plug-ins) share the one instance.
void ensureGdiplus();
} // namespace VSTGUI::Win32
