#include "vstgui/CColor.h"

#include <cctype>

namespace VSTGUI
{
namespace
{
struct NamedColor
{
    const char* name;
    CColor color;
};

constexpr NamedColor kBuiltInColors[] = {
    {"~ BlackCColor", kBlackCColor},     {"~ WhiteCColor", kWhiteCColor},
    {"~ GreyCColor", kGreyCColor},       {"~ RedCColor", kRedCColor},
    {"~ GreenCColor", kGreenCColor},     {"~ BlueCColor", kBlueCColor},
    {"~ YellowCColor", kYellowCColor},   {"~ CyanCColor", kCyanCColor},
    {"~ MagentaCColor", kMagentaCColor}, {"~ TransparentCColor", kTransparentCColor},
};

int hexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}
} // namespace

bool builtInColor(const std::string& name, CColor& color)
{
    for (const auto& entry : kBuiltInColors)
    {
        if (name == entry.name)
        {
            color = entry.color;
            return true;
        }
    }
    return false;
}

bool parseColorString(const std::string& text, CColor& color)
{
    if (text.empty() || text[0] != '#' || (text.size() != 7 && text.size() != 9)) return false;
    uint8_t parts[4] = {0, 0, 0, 255};
    for (size_t i = 0; i < (text.size() - 1) / 2; ++i)
    {
        int high = hexDigit(text[1 + 2 * i]);
        int low = hexDigit(text[2 + 2 * i]);
        if (high < 0 || low < 0) return false;
        parts[i] = static_cast<uint8_t>(high * 16 + low);
    }
    color = CColor(parts[0], parts[1], parts[2], parts[3]);
    return true;
}
} // namespace VSTGUI
