// The Turtle text of an LV2 bundle for a port list: the manifest, which names the plug-in, its
// UI and the binary, and the plug-in's description with every port.
#pragma once

#include "Lv2PortList.h"

#include <string>

namespace vevadur::lv2ttl
{

struct PluginFacts
{
    std::string name;
    std::string vendor;
    std::string homepage;
    int minorVersion = 0;
    int microVersion = 0;
};

std::string manifestTurtle();
std::string pluginTurtle(const Steinberg::Vst::Lv2PortList& ports, const PluginFacts& facts);

// A number as a Turtle literal ("0.5", "14.0", "1e-07").
std::string turtleNumber(double value);
// A text as a Turtle string literal, quotes and backslashes escaped.
std::string turtleString(const std::string& text);

} // namespace vevadur::lv2ttl
