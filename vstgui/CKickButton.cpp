#include "vstgui/CKickButton.h"

#include "vstgui/CDrawContext.h"

namespace VSTGUI
{
CKickButton::CKickButton(const CRect& size, IControlListener* listener, int32_t tag,
                         CBitmap* background, const CPoint& offset)
    : CControl(size, listener, tag, background)
{
    setBackOffset(offset);
    setDefaultValue(0.f);
}

CKickButton::CKickButton(const CRect& size, IControlListener* listener, int32_t tag,
                         CCoord heightOfOneImage, CBitmap* background, const CPoint& offset)
    : CKickButton(size, listener, tag, background, offset)
{
    m_heightOfOneImage = heightOfOneImage;
}

CCoord CKickButton::getHeightOfOneImage() const
{
    return m_heightOfOneImage > 0 ? m_heightOfOneImage : getHeight();
}

void CKickButton::draw(CDrawContext* context)
{
    if (CBitmap* back = getDrawBackground())
    {
        CPoint where = getBackOffset();
        if (m_value == getMax()) where.y += getHeightOfOneImage();
        back->draw(context, getViewSize(), where);
    }
    setDirty(false);
}

CMouseEventResult CKickButton::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!buttons.isLeftButton()) return kMouseEventNotHandled;
    m_value = getMax();
    m_entryState = m_value;
    beginEdit();
    return onMouseMoved(where, buttons);
}

CMouseEventResult CKickButton::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    if (!buttons.isLeftButton()) return kMouseEventNotHandled;
    // Pressed only while the pointer stays on the button.
    m_value = getViewSize().pointInside(where) ? getMax() : getMin();
    if (isDirty()) invalid();
    return kMouseEventHandled;
}

CMouseEventResult CKickButton::onMouseUp(CPoint&, const CButtonState&)
{
    if (m_value != getMin()) valueChanged();
    m_value = getMin();
    valueChanged();
    if (isDirty()) invalid();
    endEdit();
    return kMouseEventHandled;
}
} // namespace VSTGUI
