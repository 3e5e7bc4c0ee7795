#pragma once

#include <string>
#include <utility>
#include <vector>

namespace vevadur::presets
{

// One factory preset as the data file (resources/presets.ini) describes it.
struct FactoryPreset
{
    std::string name;
    std::string description;
    // (control title, value as vevadur-render's --set takes it), in the file's order.
    std::vector<std::pair<std::string, std::string>> values;
};

// The longest name: it must fit a VST2 program name (28 bytes with the terminating zero).
constexpr size_t kMaxNameLength = 27;

// Reads the data file: "[Name]" starts a preset, "Key = value" lines follow, "#" starts a
// comment line. False with the file's line number and a reason when a name is missing, empty,
// too long, repeated or not usable as a file name, a preset has no description, or a key
// appears twice in one preset.
bool readFactoryPresets(const std::string& path, std::vector<FactoryPreset>& presets,
                        std::string& error);

} // namespace vevadur::presets
