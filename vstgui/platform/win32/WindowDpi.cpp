#include "vstgui/platform/win32/WindowDpi.h"

#include <windows.h>

namespace VSTGUI::Win32
{
namespace
{
constexpr double kReferenceDpi = 96.0;

template <typename Function> Function user32Function(const char* name)
{
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32
               ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)))
               : nullptr;
}
} // namespace

double scaleOfWindow(HWND window)
{
    using WindowDpi = UINT(WINAPI*)(HWND);
    using SystemDpi = UINT(WINAPI*)();
    UINT dpi = 0;
    if (window)
    {
        static const auto dpiForWindow = user32Function<WindowDpi>("GetDpiForWindow");
        if (dpiForWindow) dpi = dpiForWindow(window);
    }
    else
    {
        static const auto dpiForSystem = user32Function<SystemDpi>("GetDpiForSystem");
        if (dpiForSystem) dpi = dpiForSystem();
    }
    return dpi > 0 ? dpi / kReferenceDpi : 0.0;
}
} // namespace VSTGUI::Win32
