#pragma once

#include "host/PluginModule.h"
#include "tools/presetgen/FactoryPresets.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vevadur::presets
{

// The component state that a preset's values give the plug-in, in the plug-in's own words: a
// fresh instance takes the values as a host's parameter changes in one processed block and
// writes its state. The state is then checked: a second instance loads it, writes the same
// bytes back, and its controls read the preset's values. False with a reason when a control is
// missing or unknown, a value is not valid, or the check fails.
bool presetState(host::PluginModule& module, const FactoryPreset& preset,
                 std::vector<std::uint8_t>& state, std::string& error);

} // namespace vevadur::presets
