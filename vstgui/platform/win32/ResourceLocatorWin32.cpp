// The resource folder on Windows: <bundle>\Contents\Resources beside the DLL's folder, for
// resources that are files rather than resources of the module.
#include "vstgui/ResourceLocator.h"

#include "vstgui/platform/win32/ModuleResources.h"
#include "vstgui/platform/win32/WideText.h"

#include <windows.h>

namespace VSTGUI
{
namespace
{
bool isSeparator(char c)
{
    return c == '/' || c == '\\';
}

bool isFile(const std::string& path)
{
    DWORD attributes = GetFileAttributesW(Win32::toWide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string parentFolder(const std::string& path)
{
    auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}
} // namespace

std::string ResourceLocator::moduleResourceFolder()
{
    return resourceFolderOf(thisModulePath());
}

std::string ResourceLocator::resourceFolderOf(const std::string& modulePath)
{
    if (!isAbsolute(modulePath)) return {};
    std::string contents = parentFolder(parentFolder(modulePath));
    return contents.empty() ? std::string() : contents + "\\Resources";
}

bool ResourceLocator::isAbsolute(const std::string& name)
{
    if (name.empty()) return false;
    if (isSeparator(name[0])) return true;
    return name.size() > 2 && name[1] == ':' && isSeparator(name[2]);
}

std::string ResourceLocator::folderOf(const std::string& path)
{
    const auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

bool ResourceLocator::readModuleResource(const std::string& name, const std::string& type,
                                         std::string& bytes)
{
    return Win32::readModuleResource(name, type, bytes);
}

std::string ResourceLocator::findResource(const std::string& name, const std::string& folder)
{
    if (name.empty()) return {};
    if (isAbsolute(name)) return isFile(name) ? name : std::string();
    std::string base = folder.empty() ? moduleResourceFolder() : folder;
    if (base.empty()) return {};
    std::string path = base + "\\" + name;
    return isFile(path) ? path : std::string();
}
} // namespace VSTGUI
