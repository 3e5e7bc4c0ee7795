#pragma once

#include <string>
#include <vector>

namespace vevadur::render
{

// The folder below a VST3 preset root that holds a plug-in's presets: VENDOR/PLUGIN, with the
// characters folder names cannot hold replaced by '_', as hosts do.
std::string presetSubfolder(const std::string& vendor, const std::string& pluginName);

// Where factory and user presets of a plug-in lie: the bundle's own copy of its factory presets
// (Contents/Resources/Presets/VST3/VENDOR/PLUGIN), then the user's VST3 preset folder
// (~/.vst3/presets/VENDOR/PLUGIN on Linux, Documents\VST3 Presets\VENDOR\PLUGIN on Windows).
std::vector<std::string> presetFolders(const std::string& bundle, const std::string& vendor,
                                       const std::string& pluginName);

// The file a --preset argument means: an existing file as it is, else the preset of that name
// (exact, else ignoring case) in the first of the folders that has one. False with a reason,
// naming the presets there are, when there is none.
bool locatePreset(const std::string& request, const std::vector<std::string>& folders,
                  std::string& path, std::string& error);

} // namespace vevadur::render
