#include "gui/CTextEditZx.h"

#include "gui/UnitsText.h"

CTextEditZx::CTextEditZx(const VSTGUI::CRect& size, VSTGUI::IControlListener* listener, int32_t tag,
                         VSTGUI::UTF8StringPtr text, VSTGUI::CBitmap* background, int32_t style)
    : CTextEdit(size, listener, tag, text, background, style)
{
}

CTextEditZx::~CTextEditZx() = default;

void CTextEditZx::setUnits(const std::string& units)
{
    m_Units = VSTGUI::trimUnits(units);
}

void CTextEditZx::setText(const std::string& text)
{
    CTextEdit::setText(VSTGUI::textWithUnits(text, m_Units));
}

VSTGUI::CView* CTextEditZx::newCopy() const
{
    return new CTextEditZx(*this);
}
