#include "Lv2PortList.h"

#include "core/HostParameterIds.h"
#include "engine/DecayEnvelope.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>

namespace Steinberg
{
namespace Vst
{

namespace
{
// Labels for the values of a control whose parameter shows plain numbers: the parameter list
// cannot name them, the engine's curve numbers do.
struct NamedValue
{
    double value;
    const char* label;
};
struct NamedControl
{
    const char* title;
    std::vector<NamedValue> values;
};
const std::vector<NamedControl>& namedControls()
{
    static const std::vector<NamedControl> kNamed = {
        {"Decay Type", {{Engine::kExponentialDecay, "Exponential"}, {Engine::kHyperbolicDecay, "Hyperbolic"}}},
    };
    return kNamed;
}

std::string utf8Of(const TChar* text)
{
    std::string out;
    for (; text && *text; ++text)
    {
        const auto c = static_cast<uint32>(*text);
        if (c < 0x80)
            out += static_cast<char>(c);
        else if (c < 0x800)
        {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
        else
        {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string valueText(IEditController& controller, ParamID id, ParamValue normalized)
{
    String128 text{};
    if (controller.getParamStringByValue(id, normalized, text) != kResultOk) return {};
    return utf8Of(text);
}

// Whether the parameter shows its values as whole numbers (a precision of 0).
bool showsWholeNumbers(IEditController& controller, ParamID id)
{
    for (ParamValue v : {0.0, 0.37, 1.0})
    {
        const std::string text = valueText(controller, id, v);
        if (text.empty()) return false;
        for (size_t k = 0; k < text.size(); ++k)
            if (!(std::isdigit(static_cast<unsigned char>(text[k])) || (k == 0 && text[k] == '-')))
                return false;
    }
    return true;
}

bool isControl(const ParameterInfo& info)
{
    constexpr int32 excluded =
        ParameterInfo::kIsReadOnly | ParameterInfo::kIsProgramChange | ParameterInfo::kIsBypass;
    return info.id < HostParameterIds::kMaxControls && (info.flags & excluded) == 0;
}

Lv2ControlPort describe(IEditController& controller, const ParameterInfo& info)
{
    Lv2ControlPort port;
    port.id = info.id;
    port.name = utf8Of(info.title);
    port.units = utf8Of(info.units);
    port.minimum = controller.normalizedParamToPlain(info.id, 0.0);
    port.maximum = controller.normalizedParamToPlain(info.id, 1.0);
    port.defaultValue = controller.normalizedParamToPlain(info.id, info.defaultNormalizedValue);
    if (info.stepCount > 0)
    {
        port.integer = port.enumeration = true;
        for (int32 k = 0; k <= info.stepCount; ++k)
        {
            const ParamValue normalized = static_cast<ParamValue>(k) / info.stepCount;
            port.scalePoints.emplace_back(controller.normalizedParamToPlain(info.id, normalized),
                                          valueText(controller, info.id, normalized));
        }
        // A two-item list reading OFF and ON is a switch.
        port.toggled = info.stepCount == 1 && port.scalePoints[0].second == "OFF" &&
                       port.scalePoints[1].second == "ON" && port.minimum == 0.0 &&
                       port.maximum == 1.0;
        if (port.toggled) port.enumeration = false;
    }
    else
    {
        port.integer = showsWholeNumbers(controller, info.id);
        const double middle = controller.normalizedParamToPlain(info.id, 0.5);
        const double linearMiddle = 0.5 * (port.minimum + port.maximum);
        port.logarithmic =
            std::abs(middle - linearMiddle) > 1e-6 * std::abs(port.maximum - port.minimum);
    }
    for (const NamedControl& named : namedControls())
    {
        if (port.name != named.title || !port.scalePoints.empty()) continue;
        for (const NamedValue& v : named.values)
            port.scalePoints.emplace_back(v.value, v.label);
        port.enumeration = port.integer;
    }
    return port;
}
} // namespace

double Lv2ControlPort::clamp(double value) const
{
    if (!std::isfinite(value)) return defaultValue;
    return std::min(std::max(value, std::min(minimum, maximum)), std::max(minimum, maximum));
}

void Lv2PortList::build(IEditController& controller)
{
    controls.clear();
    bypassParameter = kNoParamId;
    const int32 n = controller.getParameterCount();
    for (int32 i = 0; i < n; ++i)
    {
        ParameterInfo info{};
        if (controller.getParameterInfo(i, info) != kResultOk) continue;
        if ((info.flags & ParameterInfo::kIsBypass) && bypassParameter == kNoParamId)
            bypassParameter = info.id;
        if (!isControl(info)) continue;
        controls.push_back(describe(controller, info));
        // Symbols must differ: a repeated title gets its port's number added.
        Lv2ControlPort& port = controls.back();
        port.symbol = lv2SymbolOf(port.name);
        for (size_t k = 0; k + 1 < controls.size(); ++k)
            if (controls[k].symbol == port.symbol)
                port.symbol += "_" + std::to_string(controlPort(controlCount() - 1));
    }
}

std::string lv2SymbolOf(const std::string& title)
{
    std::string symbol;
    for (char c : title)
    {
        const auto u = static_cast<unsigned char>(c);
        if (std::isalnum(u) && u < 0x80)
            symbol += static_cast<char>(std::tolower(u));
        else if (!symbol.empty() && symbol.back() != '_')
            symbol += '_';
    }
    while (!symbol.empty() && symbol.back() == '_')
        symbol.pop_back();
    if (symbol.empty() || std::isdigit(static_cast<unsigned char>(symbol[0])))
        symbol.insert(0, "p_");
    return symbol;
}

} // namespace Vst
} // namespace Steinberg
