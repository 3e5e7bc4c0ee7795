// What the module tells hosts about itself and its one class.
#pragma once

namespace Steinberg::Vst::Veru2ZOR3::PluginInfo
{

constexpr const char* kVendor = "Rovazuro";
constexpr const char* kUrl = "https://rovazuro.example/vevadurrot";
// The product's name and version stand where an e-mail address would.
constexpr const char* kEmail = "VevadurROT 0.0.1.0";
constexpr const char* kName = "VevadurROT";
constexpr const char* kSubCategories = "FX|Reverb";
constexpr const char* kVersion = "0.0.1.0";

} // namespace Steinberg::Vst::Veru2ZOR3::PluginInfo
