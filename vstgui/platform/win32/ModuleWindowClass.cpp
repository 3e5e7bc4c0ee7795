#include "vstgui/platform/win32/ModuleWindowClass.h"

#include "vstgui/platform/win32/ModuleResources.h"

#include <cstdint>

namespace VSTGUI::Win32
{
std::wstring moduleWindowClassName(const wchar_t* kind)
{
    return kind + std::to_wstring(reinterpret_cast<uintptr_t>(thisModule()));
}

bool registerModuleWindowClass(const wchar_t* kind, WNDPROC procedure, UINT style, HCURSOR cursor)
{
    const std::wstring name = moduleWindowClassName(kind);
    const auto instance = static_cast<HINSTANCE>(thisModule());
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExW(instance, name.c_str(), &existing)) return true;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = style;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = cursor;
    windowClass.lpszClassName = name.c_str();
    return RegisterClassExW(&windowClass) != 0;
}
} // namespace VSTGUI::Win32
