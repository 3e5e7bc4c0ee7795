#include "vstgui/CKnob.h"

#include "common/MathConstants.h"

#include "vstgui/CDrawContext.h"
#include "vstgui/CFrame.h"

#include <cmath>

namespace VSTGUI
{
namespace
{
constexpr float kPi = static_cast<float>(vevadur::kPi);

float wrapAngle(float angle)
{
    angle = std::fmod(angle, 2 * kPi);
    return angle < 0 ? angle + 2 * kPi : angle;
}
} // namespace

CKnob::CKnob(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background,
             CBitmap* handle, const CPoint& offset)
    : CControl(size, listener, tag, background), m_startAngle(3 * kPi / 4),
      m_rangeAngle(3 * kPi / 2)
{
    m_handleBitmap.reset(handle);
    setBackOffset(offset);
}

float CKnob::angleAt(const CPoint& where) const
{
    return std::atan2(static_cast<float>(where.y - getHeight() / 2),
                      static_cast<float>(where.x - getWidth() / 2));
}

float CKnob::valueFromPoint(const CPoint& point) const
{
    if (m_rangeAngle <= 0) return getMin();
    float relative = wrapAngle(angleAt(point) - m_startAngle);
    if (relative > m_rangeAngle)
    {
        // In the dead zone: snap to the nearer end.
        float gap = 2 * kPi - m_rangeAngle;
        relative = relative > m_rangeAngle + gap / 2 ? 0.f : m_rangeAngle;
    }
    return getMin() + relative / m_rangeAngle * getRange();
}

CMouseEventResult CKnob::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!buttons.isLeftButton()) return kMouseEventNotHandled;
    beginEdit();
    if (checkDefaultValue(buttons))
    {
        endEdit();
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    }
    m_firstPoint = where;
    m_lastPoint = CPoint(-1, -1);
    m_entryState = m_value;
    m_oldButton = buttons;
    int32_t frameMode = getFrame() ? getFrame()->getKnobMode() : kCircularMode;
    // Alt swaps linear and the circular modes for one drag.
    if (buttons & kAlt)
        m_mode = frameMode == kLinearMode ? kCircularMode : kLinearMode;
    else
        m_mode = frameMode;

    CPoint local = where - getViewSize().getTopLeft();
    if (m_mode == kLinearMode)
    {
        float range = kLinearRange * ((buttons & kZoomModifier) ? m_zoomFactor : 1.f);
        m_coef = getRange() / range;
        m_lastPoint = where;
        return kMouseEventHandled;
    }
    m_startValue = m_mode == kCircularMode ? valueFromPoint(local) : m_value;
    m_lastAngle = angleAt(local);
    return onMouseMoved(where, buttons);
}

CMouseEventResult CKnob::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    if (!buttons.isLeftButton() || !isEditing()) return kMouseEventNotHandled;
    if (m_mode == kLinearMode && buttons != m_oldButton)
    {
        // Changing the zoom key mid-drag keeps the value of the last point.
        CCoord lastDiff = (m_firstPoint.y - m_lastPoint.y) + (m_lastPoint.x - m_firstPoint.x);
        float range = kLinearRange * ((buttons & kZoomModifier) ? m_zoomFactor : 1.f);
        float coef = getRange() / range;
        m_entryState += static_cast<float>(lastDiff * (m_coef - coef));
        m_coef = coef;
        m_oldButton = buttons;
    }
    if (where == m_lastPoint) return kMouseEventHandled;
    m_lastPoint = where;
    CPoint local = where - getViewSize().getTopLeft();
    if (m_mode == kLinearMode)
    {
        CCoord diff = (m_firstPoint.y - where.y) + (where.x - m_firstPoint.x);
        m_value = static_cast<float>(m_entryState + diff * m_coef);
        bounceValue();
    }
    else if (m_mode == kCircularMode)
    {
        float middle = getRange() / 2;
        m_value = valueFromPoint(local);
        // No jumping across the dead zone from one end to the other.
        if (m_startValue - m_value > middle)
            m_value = getMax();
        else if (m_value - m_startValue > middle)
            m_value = getMin();
        else
            m_startValue = m_value;
    }
    else
    {
        float angle = angleAt(local);
        float delta = angle - m_lastAngle;
        if (delta > kPi) delta -= 2 * kPi;
        if (delta < -kPi) delta += 2 * kPi;
        m_lastAngle = angle;
        if (m_rangeAngle > 0) setValue(m_value + delta / m_rangeAngle * getRange());
    }
    if (m_value != getOldValue()) valueChanged();
    if (isDirty()) invalid();
    return kMouseEventHandled;
}

CMouseEventResult CKnob::onMouseUp(CPoint&, const CButtonState&)
{
    if (isEditing()) endEdit();
    return kMouseEventHandled;
}

bool CKnob::onWheel(const CPoint&, const float& distance, const CButtonState& buttons)
{
    float step = getWheelInc() * distance;
    if (buttons & kZoomModifier) step *= 0.1f;
    float before = m_value;
    setValueNormalized(getValueNormalized() + step);
    if (m_value != before)
    {
        invalid();
        beginEdit();
        valueChanged();
        endEdit();
    }
    return true;
}

int32_t CKnob::onKeyDown(VstKeyCode& keyCode)
{
    float step = 0.f;
    if (keyCode.virt == VKEY_UP || keyCode.virt == VKEY_RIGHT)
        step = getWheelInc();
    else if (keyCode.virt == VKEY_DOWN || keyCode.virt == VKEY_LEFT)
        step = -getWheelInc();
    else
        return -1;
    if (keyCode.modifier & MODIFIER_SHIFT) step *= 0.1f;
    setValueNormalized(getValueNormalized() + step);
    invalid();
    beginEdit();
    valueChanged();
    endEdit();
    return 1;
}

void CKnob::draw(CDrawContext* context)
{
    if (CBitmap* back = getDrawBackground()) back->draw(context, getViewSize(), getBackOffset());
    // The handle: a line from the centre toward the value's angle.
    ScopedDrawState state(*context);
    CPoint centre = getViewSize().getCenter();
    CCoord radius = std::min(getWidth(), getHeight()) / 2 - m_inset;
    float angle = m_startAngle + getValueNormalized() * m_rangeAngle;
    CPoint tip(centre.x + std::cos(angle) * radius, centre.y + std::sin(angle) * radius);
    context->setDrawMode(kAntiAliasing);
    context->setLineWidth(m_handleLineWidth);
    context->setFrameColor(m_handleShadowColor);
    context->drawLine(centre + CPoint(1, 1), tip + CPoint(1, 1));
    context->setFrameColor(m_handleColor);
    context->drawLine(centre, tip);
    setDirty(false);
}
} // namespace VSTGUI
