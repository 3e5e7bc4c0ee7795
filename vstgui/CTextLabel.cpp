#include "vstgui/CTextLabel.h"

namespace VSTGUI
{
CTextLabel::CTextLabel(const CRect& size, UTF8StringPtr text, CBitmap* background, int32_t style)
    : CParamDisplay(size, background, style), m_text(text ? text : "")
{
}

void CTextLabel::setText(const std::string& text)
{
    if (text == m_text) return;
    m_text = text;
    setDirty(true);
}

void CTextLabel::draw(CDrawContext* context)
{
    if (!(getStyle() & kNoDrawStyle))
    {
        drawBack(context);
        drawPlatformText(context, getText());
    }
    setDirty(false);
}
} // namespace VSTGUI
