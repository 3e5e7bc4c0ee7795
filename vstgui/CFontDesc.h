#pragma once

#include "vstgui/VSTGUIFwd.h"

#include <string>

namespace VSTGUI
{
enum CTxtFace
{
    kNormalFace = 0,
    kBoldFace = 1 << 1,
    kItalicFace = 1 << 2,
    kUnderlineFace = 1 << 3,
    kStrikethroughFace = 1 << 4
};

// A font request: family name, pixel size and style bits. Held by value; the text renderer
// resolves the family through fontconfig, so absent families fall back to a similar face.
class CFontDesc
{
  public:
    CFontDesc() = default;
    CFontDesc(std::string name, CCoord size, int32_t style = kNormalFace)
        : m_name(std::move(name)), m_size(size), m_style(style)
    {
    }

    const std::string& getName() const { return m_name; }
    CCoord getSize() const { return m_size; }
    int32_t getStyle() const { return m_style; }
    void setName(const std::string& name) { m_name = name; }
    void setSize(CCoord size) { m_size = size; }
    void setStyle(int32_t style) { m_style = style; }

    bool operator==(const CFontDesc& f) const
    {
        return m_name == f.m_name && m_size == f.m_size && m_style == f.m_style;
    }
    bool operator!=(const CFontDesc& f) const { return !(*this == f); }

  private:
    std::string m_name = "Arial";
    CCoord m_size = 12;
    int32_t m_style = kNormalFace;
};

inline const CFontDesc kSystemFont{"Arial", 12};
inline const CFontDesc kNormalFontVeryBig{"Arial", 18};
inline const CFontDesc kNormalFontBig{"Arial", 14};
inline const CFontDesc kNormalFont{"Arial", 12};
inline const CFontDesc kNormalFontSmall{"Arial", 11};
inline const CFontDesc kNormalFontSmaller{"Arial", 10};
inline const CFontDesc kNormalFontVerySmall{"Arial", 9};
inline const CFontDesc kSymbolFont{"Symbol", 12};

// The built-in font of a "~ " name such as "~ NormalFont"; false for any other name.
bool builtInFont(const std::string& name, CFontDesc& font);
} // namespace VSTGUI
