#include "gui/CTextLabelZx.h"

#include "gui/UnitsText.h"

namespace VSTGUI
{
CTextLabelZx::CTextLabelZx(const CRect& size, UTF8StringPtr text, CBitmap* background,
                           int32_t style)
    : CTextLabel(size, text, background, style)
{
}

CTextLabelZx::~CTextLabelZx() = default;

void CTextLabelZx::setUnits(const std::string& units)
{
    m_Units = trimUnits(units);
}

void CTextLabelZx::setText(const std::string& text)
{
    CTextLabel::setText(textWithUnits(text, m_Units));
}

const std::string& CTextLabelZx::getText() const
{
    return CTextLabel::getText();
}

CView* CTextLabelZx::newCopy() const
{
    return new CTextLabelZx(*this);
}
} // namespace VSTGUI
