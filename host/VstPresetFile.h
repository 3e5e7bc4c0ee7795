#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vevadur::host
{

// The contents of a VST3 preset file (.vstpreset) as far as a host of a single-component
// effect needs them: which class it is for, the component's state and the meta information.
struct VstPreset
{
    std::string classId; // 32 hexadecimal characters, as the file spells it
    std::vector<std::uint8_t> componentState;
    std::string metaInfo; // the 'Info' chunk's XML; empty when the file has none
};

// Writes the file in the SDK's preset format: header, component state, the meta information
// when given, chunk list. False with a reason in `error` when that fails.
bool writeVstPreset(const std::string& path, const VstPreset& preset, std::string& error);

// Reads a file written in that format; false with a reason when it is not one or holds no
// component state.
bool readVstPreset(const std::string& path, VstPreset& preset, std::string& error);

// The meta information hosts show for a preset: its name (and the plug-in's), as XML.
std::string presetMetaInfo(const std::string& presetName, const std::string& pluginName);

} // namespace vevadur::host
