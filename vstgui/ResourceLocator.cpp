#include "vstgui/ResourceLocator.h"

#include <climits>
#include <cstdlib>
#include <dlfcn.h>
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
    Dl_info info = {};
    if (dladdr(reinterpret_cast<void*>(&ResourceLocator::moduleResourceFolder), &info) == 0 ||
        !info.dli_fname)
        return {};
    std::string module = info.dli_fname;
    if (module.empty() || module[0] != '/')
    {
        // A module loaded by a relative path (or the program itself, started that way).
        char absolute[PATH_MAX] = {};
        if (!realpath(module.c_str(), absolute)) return {};
        module = absolute;
    }
    std::string contents = parentFolder(parentFolder(module));
    return contents.empty() ? std::string() : contents + "/Resources";
}

std::string ResourceLocator::findResource(const std::string& name, const std::string& folder)
{
    if (name.empty()) return {};
    if (name[0] == '/') return isFile(name) ? name : std::string();
    std::string base = folder.empty() ? moduleResourceFolder() : folder;
    if (base.empty()) return {};
    std::string path = base + "/" + name;
    return isFile(path) ? path : std::string();
}
} // namespace VSTGUI
