#include "vstgui/ResourceLocator.h"

#include "vstgui/ThisModule.h"

#include <climits>
#include <cstdlib>
#include <sys/stat.h>

namespace VSTGUI
{
namespace
{
bool isFile(const std::string& path)
{
    struct stat info = {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string parentFolder(const std::string& path)
{
    auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}
} // namespace

std::string ResourceLocator::moduleResourceFolder()
{
    const std::string modulePath = thisModulePath();
    return modulePath.empty() ? std::string() : resourceFolderOf(modulePath);
}

std::string ResourceLocator::resourceFolderOf(const std::string& modulePath)
{
    // The resources sit beside the real module file: a host may have loaded it through a
    // relative path or through a link installed elsewhere (a VST2 folder pointing into the
    // bundle).
    std::string module = modulePath;
    char resolved[PATH_MAX] = {};
    if (realpath(module.c_str(), resolved))
        module = resolved;
    else if (module.empty() || module[0] != '/')
        return {};
    std::string contents = parentFolder(parentFolder(module));
    return contents.empty() ? std::string() : contents + "/Resources";
}

bool ResourceLocator::isAbsolute(const std::string& name)
{
    return !name.empty() && name[0] == '/';
}

std::string ResourceLocator::folderOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

bool ResourceLocator::readModuleResource(const std::string&, const std::string&, std::string&)
{
    return false; // shared objects carry no resources: the bundle folder serves them
}

std::string ResourceLocator::findResource(const std::string& name, const std::string& folder)
{
    if (name.empty()) return {};
    if (isAbsolute(name)) return isFile(name) ? name : std::string();
    std::string base = folder.empty() ? moduleResourceFolder() : folder;
    if (base.empty()) return {};
    std::string path = base + "/" + name;
    return isFile(path) ? path : std::string();
}
} // namespace VSTGUI
