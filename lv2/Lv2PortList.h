// The LV2 ports of a VST3 class, read from its edit controller's parameter list: a stereo audio
// input and output, one control input per control of the effect (the parameters below the
// reserved ids, with their plain range, default, units and labels), the bypass as an "enabled"
// control, and the latency as a control output. The plug-in adapter and the bundle's generator
// both build it, so the ports the host reads from the bundle are the ports the plug-in serves.
#pragma once

#include "pluginterfaces/vst/ivsteditcontroller.h"

#include <string>
#include <utility>
#include <vector>

namespace Steinberg
{
namespace Vst
{

struct Lv2ControlPort
{
    ParamID id = 0;
    std::string symbol; // stable: hosts store port values by it
    std::string name;
    double minimum = 0.0; // plain values, as the parameter shows them
    double maximum = 1.0;
    double defaultValue = 0.0;
    std::string units;    // the parameter's units text
    bool integer = false; // whole numbers only
    bool toggled = false; // an off/on switch
    bool enumeration = false;
    bool logarithmic = false;
    std::vector<std::pair<double, std::string>> scalePoints;

    // A host's value limited to the range; a non-finite one gives the default.
    double clamp(double value) const;
};

class Lv2PortList
{
  public:
    static constexpr uint32 kAudioInLeft = 0;
    static constexpr uint32 kAudioInRight = 1;
    static constexpr uint32 kAudioOutLeft = 2;
    static constexpr uint32 kAudioOutRight = 3;
    static constexpr uint32 kFirstControl = 4;

    void build(IEditController& controller);

    int32 controlCount() const { return static_cast<int32>(controls.size()); }
    const Lv2ControlPort& control(int32 i) const { return controls[static_cast<size_t>(i)]; }
    // The port index of control i.
    static uint32 controlPort(int32 i) { return kFirstControl + static_cast<uint32>(i); }

    bool hasBypass() const { return bypassParameter != kNoParamId; }
    ParamID bypassId() const { return bypassParameter; }
    // The "enabled" port (1 plays the effect, 0 bypasses it); only with a bypass parameter.
    uint32 enabledPort() const { return kFirstControl + static_cast<uint32>(controls.size()); }
    uint32 latencyPort() const { return enabledPort() + (hasBypass() ? 1 : 0); }
    uint32 portCount() const { return latencyPort() + 1; }

  private:
    std::vector<Lv2ControlPort> controls;
    ParamID bypassParameter = kNoParamId;
};

// A port symbol for a parameter title: lower case letters, digits and single underscores.
std::string lv2SymbolOf(const std::string& title);

} // namespace Vst
} // namespace Steinberg
