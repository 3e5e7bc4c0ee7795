#include "vstgui/COnOffButton.h"

#include "vstgui/CDrawContext.h"

namespace VSTGUI
{
COnOffButton::COnOffButton(const CRect& size, IControlListener* listener, int32_t tag,
                           CBitmap* background)
    : CControl(size, listener, tag, background)
{
    setDefaultValue(0.f);
}

void COnOffButton::draw(CDrawContext* context)
{
    if (CBitmap* back = getDrawBackground())
    {
        CCoord offset = m_value == getMax() ? back->getHeight() / 2 : 0;
        back->draw(context, getViewSize(), CPoint(getBackOffset().x, offset));
    }
    setDirty(false);
}

void COnOffButton::toggle()
{
    m_value = m_value == getMax() ? getMin() : getMax();
    invalid();
    beginEdit();
    valueChanged();
    endEdit();
}

CMouseEventResult COnOffButton::onMouseDown(CPoint&, const CButtonState& buttons)
{
    if (!buttons.isLeftButton()) return kMouseEventNotHandled;
    toggle();
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

int32_t COnOffButton::onKeyDown(VstKeyCode& keyCode)
{
    if (keyCode.virt != VKEY_RETURN && keyCode.virt != VKEY_SPACE) return -1;
    toggle();
    return 1;
}
} // namespace VSTGUI
