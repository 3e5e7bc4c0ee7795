#pragma once

#include "host/PluginInstance.h"

#include <string>

namespace vevadur::render
{

// One "Title=value" request turned into a host parameter change.
struct ParameterSetting
{
    Steinberg::Vst::ParamID id = 0;
    Steinberg::Vst::ParamValue normalized = 0.0;
};

// Finds the parameter by its title (exact, else ignoring case) and reads the value as one of
// its listed items or as a plain value in its range. False with an explanation otherwise.
bool resolveSetting(const host::PluginInstance& instance, const std::string& title,
                    const std::string& value, ParameterSetting& setting, std::string& error);

} // namespace vevadur::render
