#include "vstgui/platform/win32/ModuleResources.h"

#include "vstgui/platform/win32/WideText.h"

#include <windows.h>

#include <cctype>

namespace VSTGUI
{
void* thisModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&thisModule), &module);
    return module;
}

std::string thisModulePath()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;)
    {
        DWORD length = GetModuleFileNameW(static_cast<HMODULE>(thisModule()), path.data(),
                                          static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size())
        {
            path.resize(length);
            return Win32::toUtf8(path);
        }
        path.resize(path.size() * 2);
    }
}
} // namespace VSTGUI

namespace VSTGUI::Win32
{
bool readModuleResource(const std::string& name, const std::string& type, std::string& bytes)
{
    if (name.empty() || type.empty()) return false;
    std::string upper = name;
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    auto module = static_cast<HMODULE>(thisModule());
    HRSRC resource = FindResourceW(module, toWide(upper).c_str(), toWide(type).c_str());
    if (!resource) return false;
    HGLOBAL loaded = LoadResource(module, resource);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return false;
    bytes.assign(static_cast<const char*>(data), SizeofResource(module, resource));
    return true;
}
} // namespace VSTGUI::Win32
