#pragma once

#include <windows.h>

#include <string>

namespace VSTGUI::Win32
{
// One window class per kind and per module, named after the module's address, so that two
// copies of the plug-in loaded from different places do not share (and unload) each other's
// window procedure.
std::wstring moduleWindowClassName(const wchar_t* kind);
// Registers the class once; later calls find it. False when Windows refuses it.
bool registerModuleWindowClass(const wchar_t* kind, WNDPROC procedure, UINT style = 0,
                               HCURSOR cursor = nullptr);
} // namespace VSTGUI::Win32
