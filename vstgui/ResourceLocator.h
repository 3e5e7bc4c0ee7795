#pragma once

#include <string>

namespace VSTGUI
{
// Where the toolkit finds resources by name (the UI description, bitmaps). On Linux a plug-in
// bundle's Contents/Resources folder stands in for the module's resources: it is found from the
// location of the module that holds this code (<bundle>/Contents/<arch>/<name>.so). On Windows
// the module's own resources come first (platform/win32/ModuleResources.h); the folder is the
// fallback.
class ResourceLocator
{
  public:
    // The resource folder of the module this code is linked into; empty if not known.
    static std::string moduleResourceFolder();
    // The resource folder for a module file at modulePath, links resolved.
    static std::string resourceFolderOf(const std::string& modulePath);
    // The file for a resource name: an absolute path stands for itself; any other name is
    // looked up in folder (the module's resource folder when empty). Empty when not found.
    static std::string findResource(const std::string& name, const std::string& folder = {});
    // Whether a resource name is a path of its own rather than a name to look up.
    static bool isAbsolute(const std::string& name);
    // The folder a file path lies in ("." for a bare name); Windows separates with either
    // slash.
    static std::string folderOf(const std::string& path);
    // The bytes of a resource compiled into the module (type as "DATA" or "PNG"); false where
    // the module carries none by that name, and always on platforms whose modules carry none.
    static bool readModuleResource(const std::string& name, const std::string& type,
                                   std::string& bytes);
};
} // namespace VSTGUI
