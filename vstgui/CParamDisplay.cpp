#include "vstgui/CParamDisplay.h"

#include "vstgui/CDrawContext.h"

#include <cmath>
#include <cstdio>

namespace VSTGUI
{
CParamDisplay::CParamDisplay(const CRect& size, CBitmap* background, int32_t style)
    : CControl(size, nullptr, -1, background), m_style(style)
{
    setWantsFocus(false);
}

std::string CParamDisplay::valueToString(float value)
{
    std::string text;
    if (m_valueToString && m_valueToString(value, text, this)) return text;
    char buffer[64];
    std::snprintf(buffer, sizeof(buffer), "%.*f", static_cast<int>(m_precision),
                  std::isfinite(value) ? value : 0.f);
    return buffer;
}

void CParamDisplay::draw(CDrawContext* context)
{
    if (!(m_style & kNoDrawStyle))
    {
        drawBack(context);
        drawPlatformText(context, valueToString(getValue()));
    }
    setDirty(false);
}

void CParamDisplay::drawBack(CDrawContext* context, CBitmap* newBack)
{
    ScopedDrawState state(*context);
    CBitmap* back = newBack ? newBack : getDrawBackground();
    if (back)
    {
        back->draw(context, getViewSize(), getBackOffset());
    }
    else if (!getTransparency())
    {
        context->setFillColor(m_backColor);
        context->setFrameColor(m_frameColor);
        context->setLineWidth(m_frameWidth);
        bool framed = !(m_style & (k3DIn | k3DOut | kNoFrame));
        if (m_style & kRoundRectStyle)
        {
            context->setDrawMode(kAntiAliasing);
            context->drawRoundRect(getViewSize(), m_roundRectRadius,
                                   framed ? kDrawFilledAndStroked : kDrawFilled);
        }
        else
        {
            context->drawRect(getViewSize(), framed ? kDrawFilledAndStroked : kDrawFilled);
        }
    }
    draw3DFrame(context);
}

void CParamDisplay::draw3DFrame(CDrawContext* context) const
{
    if (!(m_style & (k3DIn | k3DOut)) || getTransparency()) return;
    const CRect& r = getViewSize();
    CColor light = (m_style & k3DIn) ? kBlackCColor : kWhiteCColor;
    CColor dark = (m_style & k3DIn) ? kWhiteCColor : kBlackCColor;
    context->setLineWidth(1);
    context->setDrawMode(kAliasing);
    context->setFrameColor(light);
    context->drawLine(CPoint(r.left, r.bottom - 1), CPoint(r.left, r.top));
    context->drawLine(CPoint(r.left, r.top), CPoint(r.right - 1, r.top));
    context->setFrameColor(dark);
    context->drawLine(CPoint(r.right - 1, r.top), CPoint(r.right - 1, r.bottom - 1));
    context->drawLine(CPoint(r.right - 1, r.bottom - 1), CPoint(r.left, r.bottom - 1));
}

void CParamDisplay::drawPlatformText(CDrawContext* context, const std::string& text)
{
    if (m_style & kNoTextStyle) return;
    ScopedDrawState state(*context);
    CRect textRect = getViewSize();
    textRect.inset(m_textInset.x, m_textInset.y);
    context->setFont(m_font);
    if (m_style & kShadowText)
    {
        CRect shadowRect = textRect;
        shadowRect.offset(1, 1);
        context->setFontColor(m_shadowColor);
        context->drawString(text, shadowRect, m_horiAlign, m_antialias);
    }
    context->setFontColor(m_fontColor);
    context->drawString(text, textRect, m_horiAlign, m_antialias);
}
} // namespace VSTGUI
