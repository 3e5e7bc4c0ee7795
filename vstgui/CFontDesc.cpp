#include "vstgui/CFontDesc.h"

namespace VSTGUI
{
bool builtInFont(const std::string& name, CFontDesc& font)
{
    struct NamedFont
    {
        const char* name;
        const CFontDesc& font;
    };
    const NamedFont fonts[] = {
        {"~ SystemFont", kSystemFont},
        {"~ NormalFontVeryBig", kNormalFontVeryBig},
        {"~ NormalFontBig", kNormalFontBig},
        {"~ NormalFont", kNormalFont},
        {"~ NormalFontSmall", kNormalFontSmall},
        {"~ NormalFontSmaller", kNormalFontSmaller},
        {"~ NormalFontVerySmall", kNormalFontVerySmall},
        {"~ SymbolFont", kSymbolFont},
    };
    for (const auto& entry : fonts)
    {
        if (name == entry.name)
        {
            font = entry.font;
            return true;
        }
    }
    return false;
}
} // namespace VSTGUI
