#pragma once

#include "tools/presetgen/FxpFile.h"

#include <string>

namespace vevadur::presets
{

// Asks the module's VST2 entry (VSTPluginMain) for the identity a program file carries, as a
// VST2 host would see it. False with a reason when the module has no such entry.
bool readVst2Identity(const std::string& libraryPath, Vst2Identity& identity, std::string& error);

} // namespace vevadur::presets
