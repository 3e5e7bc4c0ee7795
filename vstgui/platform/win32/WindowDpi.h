#pragma once

struct HWND__;
typedef HWND__* HWND;

namespace VSTGUI::Win32
{
// The resolution Windows gives a window, as a scale (96 dpi is 1): GetDpiForWindow, or for no
// window GetDpiForSystem (Windows 10 1607 and later; looked up at run time, 0 on older systems).
// A process that did not declare itself DPI-aware is told 96 and its windows are stretched
// by Windows instead.
double scaleOfWindow(HWND window);
} // namespace VSTGUI::Win32
