#include "host/render/PresetLocation.h"

#include "host/render/BundleLocation.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace vevadur::render
{
namespace
{
constexpr const char* kPresetExtension = ".vstpreset";

// Folder names cannot hold these characters; hosts write '_' instead.
std::string folderName(std::string name)
{
    for (char& c : name)
    {
        if (std::string("\\*?/:<>|").find(c) != std::string::npos) c = '_';
    }
    return name;
}

std::string lowered(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The presets of one folder by their names (file names without the extension).
std::vector<fs::path> presetsIn(const std::string& folder)
{
    std::vector<fs::path> presets;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
    {
        if (it->path().extension() == kPresetExtension) presets.push_back(it->path());
    }
    std::sort(presets.begin(), presets.end());
    return presets;
}
} // namespace

std::string presetSubfolder(const std::string& vendor, const std::string& pluginName)
{
    return (fs::path(folderName(vendor)) / folderName(pluginName)).string();
}

std::vector<std::string> presetFolders(const std::string& bundle, const std::string& vendor,
                                       const std::string& pluginName)
{
    const std::string subfolder = presetSubfolder(vendor, pluginName);
    std::vector<std::string> folders;
    if (!bundle.empty())
        folders.push_back(
            (fs::path(bundle) / "Contents" / "Resources" / "Presets" / "VST3" / subfolder).string());
    const std::string root = userPresetRoot();
    if (!root.empty()) folders.push_back((fs::path(root) / subfolder).string());
    return folders;
}

bool locatePreset(const std::string& request, const std::vector<std::string>& folders,
                  std::string& path, std::string& error)
{
    std::error_code ignored;
    if (fs::is_regular_file(request, ignored))
    {
        path = request;
        return true;
    }
    std::string names;
    for (const std::string& folder : folders)
    {
        const std::vector<fs::path> presets = presetsIn(folder);
        for (const fs::path& preset : presets)
        {
            if (preset.stem().string() != request) continue;
            path = preset.string();
            return true;
        }
        for (const fs::path& preset : presets)
        {
            if (lowered(preset.stem().string()) != lowered(request)) continue;
            path = preset.string();
            return true;
        }
        for (const fs::path& preset : presets)
            names += (names.empty() ? "" : ", ") + preset.stem().string();
    }
    error = "no preset \"" + request + "\"" +
            (names.empty() ? std::string(" (and no presets found)") : " (presets: " + names + ")");
    return false;
}

} // namespace vevadur::render
