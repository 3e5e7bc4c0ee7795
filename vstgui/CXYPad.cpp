#include "vstgui/CXYPad.h"

#include "vstgui/CDrawContext.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI
{
CXYPad::CXYPad(const CRect& size) : CParamDisplay(size)
{
    // A point on the right edge packs to 1 + y / 10000: a maximum of 1 would cut its y off.
    setMax(2.f);
    setWantsFocus(true);
}

float CXYPad::calculateValue(float x, float y)
{
    x = std::floor(x * 1000.f + 0.5f) * 0.001f;
    y = std::floor(y * 1000.f + 0.5f) * 0.0000001f;
    return x + y;
}

void CXYPad::calculateXY(float value, float& x, float& y)
{
    x = std::floor(value * 1000.f + 0.5f) * 0.001f;
    y = std::floor((value - x) * 10000000.f + 0.5f) * 0.001f;
}

void CXYPad::boundValues(float& x, float& y)
{
    // NaN lands on 0.
    x = (x >= 0.f) ? std::min(x, 1.f) : 0.f;
    y = (y >= 0.f) ? std::min(y, 1.f) : 0.f;
}

CRect CXYPad::handleRect(float x, float y) const
{
    CCoord radius = getRoundRectRadius();
    CCoord width = getWidth() - radius;
    CCoord height = getHeight() - radius;
    CRect r(x * width, y * height, x * width, y * height);
    r.extend(radius / 2, radius / 2);
    r.offset(getViewSize().left + radius / 2, getViewSize().top + radius / 2);
    return r;
}

void CXYPad::drawHandle(CDrawContext* context) const
{
    float x = 0.f;
    float y = 0.f;
    calculateXY(getValue(), x, y);
    ScopedDrawState state(*context);
    context->setFillColor(getFontColor());
    context->setDrawMode(kAntiAliasing);
    context->drawEllipse(handleRect(x, y), kDrawFilled);
}

void CXYPad::draw(CDrawContext* context)
{
    drawBack(context);
    drawHandle(context);
    setDirty(false);
}

CMouseEventResult CXYPad::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!buttons.isLeftButton()) return kMouseEventNotHandled;
    beginEdit();
    m_mouseChangeStartPoint = where;
    m_mouseChangeStartPoint.offset(-getViewSize().left - getRoundRectRadius() / 2,
                                   -getViewSize().top - getRoundRectRadius() / 2);
    m_lastMouseChangePoint = where;
    return onMouseMoved(where, buttons);
}

CMouseEventResult CXYPad::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    if (!buttons.isLeftButton() || !isEditing()) return kMouseEventNotHandled;
    if (m_stopTrackingOnMouseExit && !hitTest(where, buttons))
    {
        endEdit();
        return kMouseMoveEventHandledButDontNeedMoreEvents;
    }
    CCoord radius = getRoundRectRadius();
    CCoord width = std::max<CCoord>(1, getWidth() - radius);
    CCoord height = std::max<CCoord>(1, getHeight() - radius);
    float x = static_cast<float>((where.x - getViewSize().left - radius / 2) / width);
    float y = static_cast<float>((where.y - getViewSize().top - radius / 2) / height);
    boundValues(x, y);
    setValue(calculateValue(x, y));
    if (isDirty())
    {
        valueChanged();
        invalid();
    }
    m_lastMouseChangePoint = where;
    return kMouseEventHandled;
}

CMouseEventResult CXYPad::onMouseUp(CPoint&, const CButtonState&)
{
    if (isEditing()) endEdit();
    return kMouseEventHandled;
}
} // namespace VSTGUI
