#include "tools/presetgen/PresetState.h"

#include "host/PluginInstance.h"
#include "host/ProcessBlock.h"
#include "host/render/ParameterSetting.h"

#include "pluginterfaces/vst/vstspeaker.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace vevadur::presets
{
namespace
{
// Control parameters have the ids below the reserved ones (MIDI controllers, bypass, joystick,
// buttons, programs).
constexpr ParamID kFirstReservedId = 2048;

std::map<ParamID, std::string> controlTitles(const host::PluginInstance& instance)
{
    std::map<ParamID, std::string> titles;
    for (const ParameterInfo& info : instance.parameters())
    {
        if (info.id < kFirstReservedId && !(info.flags & ParameterInfo::kIsReadOnly))
            titles[info.id] = host::PluginInstance::toUtf8(info.title);
    }
    return titles;
}

// The preset's values as normalised parameter values, one for every control.
bool resolveValues(const host::PluginInstance& instance, const FactoryPreset& preset,
                   std::map<ParamID, ParamValue>& values, std::string& error)
{
    for (const auto& [title, value] : preset.values)
    {
        render::ParameterSetting setting;
        if (!render::resolveSetting(instance, title, value, setting, error)) return false;
        values[setting.id] = setting.normalized;
    }
    for (const auto& [id, title] : controlTitles(instance))
    {
        if (values.count(id)) continue;
        error = "\"" + title + "\" is not set";
        return false;
    }
    return true;
}

bool sameControls(const host::PluginInstance& instance, const std::map<ParamID, ParamValue>& values,
                  std::string& error)
{
    IEditController& controller = instance.controller();
    for (const auto& [id, normalized] : values)
    {
        const double wanted = controller.normalizedParamToPlain(id, normalized);
        const double got = controller.normalizedParamToPlain(id, controller.getParamNormalized(id));
        const double range = std::fabs(controller.normalizedParamToPlain(id, 1.0) -
                                       controller.normalizedParamToPlain(id, 0.0));
        if (std::fabs(got - wanted) > 1e-6 * std::max(range, 1.0))
        {
            error = "parameter " + std::to_string(id) + " reads " + std::to_string(got) +
                    " after loading the state, not " + std::to_string(wanted);
            return false;
        }
    }
    return true;
}
} // namespace

bool presetState(host::PluginModule& module, const FactoryPreset& preset,
                 std::vector<std::uint8_t>& state, std::string& error)
{
    std::unique_ptr<host::PluginInstance> instance = host::PluginInstance::create(module, "", error);
    if (!instance) return false;
    std::map<ParamID, ParamValue> values;
    if (!resolveValues(*instance, preset, values, error)) return false;
    if (!instance->setBusArrangements(SpeakerArr::kStereo, SpeakerArr::kStereo) ||
        !instance->activate(48000.0, 64, true))
    {
        error = "the plug-in does not start";
        return false;
    }
    {
        host::ProcessBlock block(*instance);
        for (const auto& [id, normalized] : values)
        {
            instance->controller().setParamNormalized(id, normalized);
            block.addParameterChange(id, 0, normalized);
        }
        float silence[2][64] = {};
        float output[2][64] = {};
        const float* inputs[2] = {silence[0], silence[1]};
        float* outputs[2] = {output[0], output[1]};
        if (block.process(inputs, outputs, 64) != kResultOk)
        {
            error = "the plug-in does not process";
            return false;
        }
    }
    instance->deactivate();
    state = instance->saveState();

    std::unique_ptr<host::PluginInstance> check = host::PluginInstance::create(module, "", error);
    if (!check) return false;
    if (state.empty() || check->loadState(state) != kResultOk || check->saveState() != state)
    {
        error = "the state does not load back unchanged";
        return false;
    }
    return sameControls(*check, values, error);
}

} // namespace vevadur::presets
