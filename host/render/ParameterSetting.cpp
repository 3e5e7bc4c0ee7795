#include "host/render/ParameterSetting.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <optional>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace vevadur::render
{
namespace
{
std::string lowered(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::optional<ParameterInfo> findByTitle(const host::PluginInstance& instance,
                                         const std::string& title)
{
    if (auto exact = instance.findParameter(title)) return exact;
    for (const ParameterInfo& info : instance.parameters())
    {
        if (lowered(host::PluginInstance::toUtf8(info.title)) == lowered(title)) return info;
    }
    return std::nullopt;
}

std::string availableTitles(const host::PluginInstance& instance)
{
    std::string list;
    for (const ParameterInfo& info : instance.parameters())
    {
        if (info.flags & ParameterInfo::kIsReadOnly) continue;
        list += (list.empty() ? "" : ", ") + host::PluginInstance::toUtf8(info.title);
    }
    return list;
}

bool parseNumber(const std::string& text, double& value)
{
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return !text.empty() && end && *end == 0 && std::isfinite(value);
}

std::string shortNumber(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

bool resolveListItem(const host::PluginInstance& instance, const ParameterInfo& info,
                     const std::string& title, const std::string& value, ParamValue& normalized,
                     std::string& error)
{
    std::string items;
    for (int32 k = 0; k <= info.stepCount; ++k)
    {
        const ParamValue candidate = static_cast<double>(k) / std::max(info.stepCount, 1);
        const std::string item = instance.valueText(info.id, candidate);
        if (lowered(item) == lowered(value))
        {
            normalized = candidate;
            return true;
        }
        items += (items.empty() ? "" : ", ") + item;
    }
    // The item's number does as well.
    double index = 0;
    if (parseNumber(value, index) && index >= 0 && index <= info.stepCount &&
        index == std::floor(index))
    {
        normalized = index / std::max(info.stepCount, 1);
        return true;
    }
    error = "invalid value \"" + value + "\" for " + title + " (one of: " + items + ")";
    return false;
}

bool resolvePlainValue(const host::PluginInstance& instance, const ParameterInfo& info,
                       const std::string& title, const std::string& value, ParamValue& normalized,
                       std::string& error)
{
    IEditController& controller = instance.controller();
    const double low = controller.normalizedParamToPlain(info.id, 0.0);
    const double high = controller.normalizedParamToPlain(info.id, 1.0);
    double plain = 0;
    const double tolerance = 1e-9 * std::max(1.0, std::fabs(high - low));
    if (!parseNumber(value, plain) || plain < std::min(low, high) - tolerance ||
        plain > std::max(low, high) + tolerance)
    {
        error = "invalid value \"" + value + "\" for " + title + " (a number from " +
                shortNumber(low) + " to " + shortNumber(high) + ")";
        return false;
    }
    normalized = std::clamp(controller.plainParamToNormalized(info.id, plain), 0.0, 1.0);
    return true;
}
} // namespace

bool resolveSetting(const host::PluginInstance& instance, const std::string& title,
                    const std::string& value, ParameterSetting& setting, std::string& error)
{
    const std::optional<ParameterInfo> info = findByTitle(instance, title);
    if (!info || (info->flags & ParameterInfo::kIsReadOnly))
    {
        error =
            "unknown parameter \"" + title + "\" (parameters: " + availableTitles(instance) + ")";
        return false;
    }
    setting.id = info->id;
    const std::string name = host::PluginInstance::toUtf8(info->title);
    if (info->flags & ParameterInfo::kIsList)
        return resolveListItem(instance, *info, name, value, setting.normalized, error);
    return resolvePlainValue(instance, *info, name, value, setting.normalized, error);
}

} // namespace vevadur::render
