// Text through GDI+. Where a document's font is not installed (Wine has neither Verdana nor
// Microsoft Sans Serif), the fallbacks below stand in, in this order.
#include "vstgui/TextRenderer.h"

#include "vstgui/platform/win32/Gdiplus.h"
#include "vstgui/platform/win32/WideText.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace VSTGUI
{
namespace
{
constexpr const wchar_t* kFallbackFonts[] = {L"Tahoma", L"Arial", L"Liberation Sans",
                                             L"DejaVu Sans"};

std::unique_ptr<Gdiplus::FontFamily> familyFor(const std::string& name)
{
    auto family = std::make_unique<Gdiplus::FontFamily>(Win32::toWide(name).c_str());
    if (family->IsAvailable()) return family;
    for (const wchar_t* fallback : kFallbackFonts)
    {
        family = std::make_unique<Gdiplus::FontFamily>(fallback);
        if (family->IsAvailable()) return family;
    }
    return std::unique_ptr<Gdiplus::FontFamily>(Gdiplus::FontFamily::GenericSansSerif()->Clone());
}

INT styleOf(const CFontDesc& font)
{
    INT style = Gdiplus::FontStyleRegular;
    if (font.getStyle() & kBoldFace) style |= Gdiplus::FontStyleBold;
    if (font.getStyle() & kItalicFace) style |= Gdiplus::FontStyleItalic;
    if (font.getStyle() & kUnderlineFace) style |= Gdiplus::FontStyleUnderline;
    if (font.getStyle() & kStrikethroughFace) style |= Gdiplus::FontStyleStrikeout;
    return style;
}

std::unique_ptr<Gdiplus::Font> makeFont(const CFontDesc& font)
{
    auto family = familyFor(font.getName());
    return std::make_unique<Gdiplus::Font>(family.get(), static_cast<Gdiplus::REAL>(font.getSize()),
                                           styleOf(font), Gdiplus::UnitPixel);
}

Gdiplus::StringAlignment alignmentOf(CHoriTxtAlign align)
{
    switch (align)
    {
    case kLeftText:
        return Gdiplus::StringAlignmentNear;
    case kRightText:
        return Gdiplus::StringAlignmentFar;
    default:
        return Gdiplus::StringAlignmentCenter;
    }
}
} // namespace

// GDI+ makes fonts per call; there is no state to keep.
struct TextRenderer::Fonts
{
};

TextRenderer::TextRenderer()
{
    Win32::ensureGdiplus();
}

TextRenderer::~TextRenderer() = default;

// The graphics' transformation (the screen scale among it) applies to the text: GDI+ draws the
// glyphs at the device's resolution.
void TextRenderer::drawString(NativeDrawingContext* graphics, const std::string& text,
                              const CFontDesc& font, const CRect& rect, CHoriTxtAlign align,
                              bool antialias, const CColor& color, float alpha)
{
    if (!graphics || text.empty() || rect.isEmpty()) return;
    auto gdiFont = makeFont(font);
    Gdiplus::StringFormat format(Gdiplus::StringFormatFlagsNoWrap);
    format.SetAlignment(alignmentOf(align));
    format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    format.SetTrimming(Gdiplus::StringTrimmingNone);
    const auto opacity = static_cast<BYTE>(std::lround(color.alpha * std::clamp(alpha, 0.f, 1.f)));
    Gdiplus::SolidBrush brush{Gdiplus::Color(opacity, color.red, color.green, color.blue)};
    const std::wstring wide = Win32::toWide(text);
    const Gdiplus::RectF layout(
        static_cast<Gdiplus::REAL>(rect.left), static_cast<Gdiplus::REAL>(rect.top),
        static_cast<Gdiplus::REAL>(rect.getWidth()), static_cast<Gdiplus::REAL>(rect.getHeight()));
    const Gdiplus::GraphicsState saved = graphics->Save();
    graphics->SetClip(layout, Gdiplus::CombineModeIntersect);
    graphics->SetTextRenderingHint(antialias ? Gdiplus::TextRenderingHintAntiAlias
                                             : Gdiplus::TextRenderingHintSingleBitPerPixelGridFit);
    graphics->DrawString(wide.c_str(), static_cast<INT>(wide.size()), gdiFont.get(), layout,
                         &format, &brush);
    graphics->Restore(saved);
}

CCoord TextRenderer::getStringWidth(const std::string& text, const CFontDesc& font)
{
    if (text.empty()) return 0;
    Gdiplus::Bitmap scratch(1, 1, PixelFormat32bppPARGB);
    Gdiplus::Graphics graphics(&scratch);
    auto gdiFont = makeFont(font);
    const std::wstring wide = Win32::toWide(text);
    Gdiplus::RectF bounds;
    graphics.MeasureString(wide.c_str(), static_cast<INT>(wide.size()), gdiFont.get(),
                           Gdiplus::PointF(0, 0), Gdiplus::StringFormat::GenericTypographic(),
                           &bounds);
    return std::ceil(bounds.Width);
}
} // namespace VSTGUI
