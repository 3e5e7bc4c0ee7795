#include "gui/CKickButtonZx.h"

namespace VSTGUI
{
CKickButtonZx::CKickButtonZx(const CRect& size, IControlListener* listener, int32_t tag,
                             CBitmap* background, const CPoint& offset)
    : CKickButton(size, listener, tag, background, offset)
{
}

CMouseEventResult CKickButtonZx::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!buttons.isLeftButton()) return kMouseEventNotHandled;
    setValue(1.f);
    m_entryState = 1.f;
    beginEdit();
    if (reportsPress() && getValue() != 0.f) valueChanged();
    if (isDirty()) invalid();
    // The base keeps the button pressed only while the pointer stays on it.
    return CKickButton::onMouseMoved(where, buttons);
}

CMouseEventResult CKickButtonZx::onMouseUp(CPoint&, const CButtonState&)
{
    setValue(getMin());
    if (reportsRelease()) valueChanged();
    if (isDirty()) invalid();
    endEdit();
    return kMouseEventHandled;
}
} // namespace VSTGUI
