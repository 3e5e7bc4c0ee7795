#include "vstgui/uidescription/UIAttributes.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace VSTGUI
{
namespace
{
bool onlyBlanks(const char* text)
{
    while (*text == ' ' || *text == '\t' || *text == '\n' || *text == '\r')
        ++text;
    return *text == '\0';
}

std::vector<std::string> splitCommas(const std::string& text)
{
    std::vector<std::string> parts;
    size_t start = 0;
    while (true)
    {
        size_t comma = text.find(',', start);
        parts.push_back(text.substr(start, comma - start));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return parts;
}
} // namespace

const std::string* UIAttributes::find(const std::string& name) const
{
    for (const auto& entry : m_entries)
        if (entry.first == name) return &entry.second;
    return nullptr;
}

void UIAttributes::setAttribute(const std::string& name, const std::string& value)
{
    for (auto& entry : m_entries)
    {
        if (entry.first == name)
        {
            entry.second = value;
            return;
        }
    }
    m_entries.emplace_back(name, value);
}

void UIAttributes::removeAttribute(const std::string& name)
{
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it)
    {
        if (it->first == name)
        {
            m_entries.erase(it);
            return;
        }
    }
}

bool UIAttributes::stringToDouble(const std::string& text, double& value)
{
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    double parsed = std::strtod(begin, &end);
    if (end == begin || errno == ERANGE || !onlyBlanks(end) || !std::isfinite(parsed)) return false;
    value = parsed;
    return true;
}

bool UIAttributes::stringToPoint(const std::string& text, CPoint& point)
{
    auto parts = splitCommas(text);
    double x = 0;
    double y = 0;
    if (parts.size() != 2 || !stringToDouble(parts[0], x) || !stringToDouble(parts[1], y))
        return false;
    point = CPoint(x, y);
    return true;
}

bool UIAttributes::getBooleanAttribute(const std::string& name, bool& value) const
{
    const std::string* text = find(name);
    if (!text || (*text != "true" && *text != "false")) return false;
    value = *text == "true";
    return true;
}

bool UIAttributes::getIntegerAttribute(const std::string& name, int32_t& value) const
{
    double parsed = 0;
    const std::string* text = find(name);
    if (!text || !stringToDouble(*text, parsed) || std::fabs(parsed) > 2147483647.0) return false;
    value = static_cast<int32_t>(parsed);
    return true;
}

bool UIAttributes::getDoubleAttribute(const std::string& name, double& value) const
{
    const std::string* text = find(name);
    return text && stringToDouble(*text, value);
}

bool UIAttributes::getPointAttribute(const std::string& name, CPoint& point) const
{
    const std::string* text = find(name);
    return text && stringToPoint(*text, point);
}

bool UIAttributes::getRectAttribute(const std::string& name, CRect& rect) const
{
    const std::string* text = find(name);
    if (!text) return false;
    auto parts = splitCommas(*text);
    double v[4] = {};
    if (parts.size() != 4) return false;
    for (size_t i = 0; i < 4; ++i)
        if (!stringToDouble(parts[i], v[i])) return false;
    rect = CRect(v[0], v[1], v[2], v[3]);
    return true;
}
} // namespace VSTGUI
