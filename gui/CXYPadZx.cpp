#include "gui/CXYPadZx.h"

#include "vstgui/CDrawContext.h"

#include <algorithm>

namespace VSTGUI
{
namespace
{
bool onlyLeftButton(const CButtonState& buttons)
{
    return buttons.getButtonState() == kLButton;
}
} // namespace

CXYPadZx::CXYPadZx(const CRect& size) : CXYPad(size) {}

bool CXYPadZx::insideDiamond(float x, float y) const
{
    // Even-odd rule: count the edges that a ray from the point towards +x crosses.
    bool inside = false;
    for (int i = 0, j = 3; i < 4; j = i++)
    {
        const float xi = m_fDiamondX[i], yi = m_fDiamondY[i];
        const float xj = m_fDiamondX[j], yj = m_fDiamondY[j];
        if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) inside = !inside;
    }
    return inside;
}

void CXYPadZx::setValue(float value)
{
    if (m_bTracking)
    {
        CControl::setValue(value);
        return;
    }
    float x = 0.f;
    float y = 0.f;
    calculateXY(value, x, y);
    y = 1.f - y;
    if (m_bJoystick)
    {
        if (!insideDiamond(x, y)) return;
    }
    else
    {
        boundValues(x, y);
    }
    CControl::setValue(calculateValue(x, y));
}

void CXYPadZx::padPoint(const CPoint& where, float& x, float& y)
{
    const CCoord radius = getRoundRectRadius();
    const CCoord width = std::max<CCoord>(1, getWidth() - radius);
    const CCoord height = std::max<CCoord>(1, getHeight() - radius);
    x = static_cast<float>((where.x - getViewSize().left - radius / 2) / width);
    y = static_cast<float>((where.y - getViewSize().top - radius / 2) / height);
    if (!m_bJoystick)
    {
        boundValues(x, y);
        return;
    }
    if (insideDiamond(x, y))
    {
        boundValues(x, y);
        m_fLastValidX = x;
        m_fLastValidY = y;
        return;
    }
    x = m_fLastValidX;
    y = m_fLastValidY;
}

CMouseEventResult CXYPadZx::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!onlyLeftButton(buttons)) return kMouseEventNotHandled;
    m_mouseChangeStartPoint = where;
    m_mouseChangeStartPoint.offset(-getViewSize().left - getRoundRectRadius() / 2,
                                   -getViewSize().top - getRoundRectRadius() / 2);
    m_bTracking = true;
    // The gesture opens before the first change, so the host sees the change inside it.
    if (!isEditing()) beginEdit();
    onMouseMoved(where, buttons);
    return kMouseEventHandled;
}

CMouseEventResult CXYPadZx::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    if (!onlyLeftButton(buttons))
    {
        m_bTracking = false;
        return kMouseEventNotHandled;
    }
    if (m_stopTrackingOnMouseExit && !hitTest(where, buttons))
    {
        endEdit();
        return kMouseMoveEventHandledButDontNeedMoreEvents;
    }
    float x = 0.f;
    float y = 0.f;
    padPoint(where, x, y);
    if (m_bTracking)
    {
        const float before = getValue();
        const float shown = calculateValue(x, y);
        setValue(calculateValue(x, 1.f - y));
        // Compared with the point shown so far: the dirty state compares against the value
        // last drawn, which the y-flipped value can equal while the point moves.
        if (getListener() && shown != before) valueChanged();
        setValue(shown);
    }
    invalid();
    m_lastMouseChangePoint = where;
    m_bTracking = true;
    return kMouseEventHandled;
}

CMouseEventResult CXYPadZx::onMouseUp(CPoint&, const CButtonState&)
{
    endEdit();
    m_bTracking = false;
    return kMouseEventHandled;
}

void CXYPadZx::draw(CDrawContext* context)
{
    if (m_bJoystick)
        drawDiamond(context);
    else
        drawBack(context);
    drawHandle(context);
    setDirty(false);
}

void CXYPadZx::drawDiamond(CDrawContext* context) const
{
    ScopedDrawState state(*context);
    const CRect& r = getViewSize();
    const CPoint middle = r.getCenter();
    context->setDrawMode(kAntiAliasing);
    context->setLineWidth(2);
    context->setFillColor(getBackColor());
    context->setFrameColor(getFrameColor());
    context->drawPolygon({CPoint(r.left, middle.y), CPoint(middle.x, r.top),
                          CPoint(r.right, middle.y), CPoint(middle.x, r.bottom),
                          CPoint(r.left, middle.y)},
                         kDrawFilledAndStroked);
    context->setDrawMode(kAliasing);
    context->setLineWidth(1);
    context->drawLine(CPoint(middle.x, r.top), CPoint(middle.x, r.bottom));
    context->drawLine(CPoint(r.left, middle.y), CPoint(r.right, middle.y));
}

} // namespace VSTGUI
