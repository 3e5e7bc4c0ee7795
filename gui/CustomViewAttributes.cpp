#include "gui/CustomViewAttributes.h"

#include "vstgui/uidescription/UIDescription.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

namespace Steinberg::Vst::Veru2ZOR3
{
using namespace VSTGUI;

bool parsePoint(const char* text, CPoint& point)
{
    const char* comma = text ? std::strchr(text, ',') : nullptr;
    if (!comma) return false;
    point = CPoint(parseInteger(text), parseInteger(comma + 1));
    return true;
}

int32_t parseInteger(const char* text)
{
    if (!text) return 0;
    const long long value = std::strtoll(text, nullptr, 10);
    constexpr long long kMin = std::numeric_limits<int32_t>::min();
    constexpr long long kMax = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(value < kMin ? kMin : (value > kMax ? kMax : value));
}

double parseDecimal(const char* text)
{
    if (!text) return 0.0;
    const double value = std::strtod(text, nullptr);
    return std::isfinite(value) ? value : 0.0;
}

CustomViewAttributes::CustomViewAttributes(const UIAttributes& attributes,
                                           const IUIDescription* description)
    : m_Attributes(attributes), m_pDescription(description)
{
}

const char* CustomViewAttributes::text(const char* name) const
{
    const std::string* value = m_Attributes.getAttributeValue(name);
    return value ? value->c_str() : nullptr;
}

bool CustomViewAttributes::hasText(const char* name) const
{
    const char* value = text(name);
    return value && *value;
}

bool CustomViewAttributes::isTrue(const char* name) const
{
    const char* value = text(name);
    return value && std::strcmp(value, "true") == 0;
}

int32_t CustomViewAttributes::integer(const char* name) const
{
    return parseInteger(text(name));
}

CPoint CustomViewAttributes::point(const char* name) const
{
    CPoint result;
    parsePoint(text(name), result);
    return result;
}

CRect CustomViewAttributes::viewRect() const
{
    return CRect(point("origin"), point("size"));
}

SharedPointer<CBitmap> CustomViewAttributes::bitmap(const char* name) const
{
    if (!hasText(name)) return {};
    // Resources sit next to the document (in the plug-in, the bundle's resource folder).
    std::string folder;
    if (auto* document = dynamic_cast<const UIDescription*>(m_pDescription))
        folder = document->getResourceFolder();
    auto loaded =
        owned(new CBitmap(CResourceDescription(std::string(text(name)) + ".png"), folder));
    if (!loaded->isLoaded()) return {};
    return loaded;
}

bool CustomViewAttributes::resolveColour(const char* name, CColor& colour) const
{
    CColor resolved = colour;
    if (!hasText(name) || !m_pDescription || !m_pDescription->getColor(text(name), resolved))
        return false;
    colour = resolved;
    return true;
}

int32_t CustomViewAttributes::tag(const char* name) const
{
    const char* tagName = text(name);
    return m_pDescription ? m_pDescription->getTagForName(tagName ? tagName : "") : -1;
}

IControlListener* CustomViewAttributes::listener(const char* name) const
{
    const char* tagName = text(name);
    return m_pDescription ? m_pDescription->getControlListener(tagName ? tagName : "") : nullptr;
}
} // namespace Steinberg::Vst::Veru2ZOR3
