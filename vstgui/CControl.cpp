#include "vstgui/CControl.h"

#include "vstgui/CFrame.h"

#include <algorithm>

namespace VSTGUI
{
CControl::CControl(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background)
    : CView(size), m_listener(listener), m_tag(tag)
{
    setBackground(background);
    setWantsFocus(true);
}

CControl::CControl(const CControl& other)
    : CView(other), m_value(other.m_value), m_oldValue(other.m_oldValue),
      m_default(other.m_default), m_min(other.m_min), m_max(other.m_max),
      m_wheelInc(other.m_wheelInc), m_listener(other.m_listener), m_tag(other.m_tag),
      m_backOffset(other.m_backOffset)
{
}

void CControl::setValue(float value)
{
    if (!(value >= m_min)) value = m_min; // NaN lands on the minimum
    if (value > m_max) value = m_max;
    m_value = value;
}

void CControl::setMin(float value)
{
    if (value == m_min) return;
    m_min = value;
    setDirty(true);
}

void CControl::setMax(float value)
{
    if (value == m_max) return;
    m_max = value;
    setDirty(true);
}

void CControl::setValueNormalized(float normalized)
{
    if (!(normalized >= 0.f)) normalized = 0.f;
    normalized = std::min(normalized, 1.f);
    setValue(m_min + normalized * getRange());
}

float CControl::getValueNormalized() const
{
    float range = getRange();
    if (range == 0.f) return 0.f;
    return std::clamp((m_value - m_min) / range, 0.f, 1.f);
}

void CControl::bounceValue()
{
    setValue(m_value);
}

void CControl::valueChanged()
{
    if (m_listener) m_listener->valueChanged(this);
}

void CControl::beginEdit()
{
    if (++m_editing != 1) return;
    if (CFrame* frame = getFrame())
        if (frame->getEditor()) frame->getEditor()->beginEdit(m_tag);
    if (m_listener) m_listener->controlBeginEdit(this);
}

void CControl::endEdit()
{
    if (m_editing == 0 || --m_editing != 0) return;
    if (m_listener) m_listener->controlEndEdit(this);
    if (CFrame* frame = getFrame())
        if (frame->getEditor()) frame->getEditor()->endEdit(m_tag);
}

bool CControl::checkDefaultValue(const CButtonState& buttons)
{
    if (!buttons.isLeftButton() || buttons.getModifierState() != kDefaultValueModifier)
        return false;
    if (m_default != m_value)
    {
        beginEdit();
        setValue(m_default);
        valueChanged();
        endEdit();
        invalid();
    }
    return true;
}

void CControl::setDirty(bool state)
{
    CView::setDirty(state);
    if (state)
        m_oldValue = (m_value != -1.f) ? -1.f : 0.f;
    else
        m_oldValue = m_value;
}

bool CControl::isDirty() const
{
    return m_oldValue != m_value || CView::isDirty();
}
} // namespace VSTGUI
