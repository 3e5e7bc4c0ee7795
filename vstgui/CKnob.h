#pragma once

#include "vstgui/CColor.h"
#include "vstgui/CControl.h"

namespace VSTGUI
{
// A rotary control. Dragging follows the frame's knob mode: linear (up/right increases),
// circular (the value under the pointer's angle) or relative circular (angle changes).
class CKnob : public CControl
{
  public:
    CKnob(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background,
          CBitmap* handle = nullptr, const CPoint& offset = CPoint());

    // Angles in radians, clockwise from three o'clock.
    void setStartAngle(float radians) { m_startAngle = radians; }
    float getStartAngle() const { return m_startAngle; }
    void setRangeAngle(float radians) { m_rangeAngle = radians; }
    float getRangeAngle() const { return m_rangeAngle; }
    void setZoomFactor(float factor) { m_zoomFactor = factor > 0 ? factor : 1.f; }
    float getZoomFactor() const { return m_zoomFactor; }
    void setInsetValue(CCoord inset) { m_inset = inset; }
    CCoord getInsetValue() const { return m_inset; }
    void setHandleColor(const CColor& color) { m_handleColor = color; }
    const CColor& getHandleColor() const { return m_handleColor; }
    void setHandleShadowColor(const CColor& color) { m_handleShadowColor = color; }
    const CColor& getHandleShadowColor() const { return m_handleShadowColor; }
    void setHandleLineWidth(CCoord width) { m_handleLineWidth = width; }
    CCoord getHandleLineWidth() const { return m_handleLineWidth; }
    void setHandleBitmap(CBitmap* bitmap) { m_handleBitmap.reset(bitmap); }
    CBitmap* getHandleBitmap() const { return m_handleBitmap.get(); }

    // The value at a point in the view's own coordinates (circular modes).
    float valueFromPoint(const CPoint& point) const;

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;
    int32_t onKeyDown(VstKeyCode& keyCode) override;

  protected:
    CKnob(const CKnob& other) = default;
    float angleAt(const CPoint& where) const;

  private:
    static constexpr float kLinearRange = 200.f;

    SharedPointer<CBitmap> m_handleBitmap;
    CColor m_handleColor = kWhiteCColor;
    CColor m_handleShadowColor = kGreyCColor;
    CCoord m_handleLineWidth = 1;
    CCoord m_inset = 3;
    float m_startAngle;
    float m_rangeAngle;
    float m_zoomFactor = 1.5f;

    // Drag state.
    int32_t m_mode = kCircularMode;
    CPoint m_firstPoint;
    CPoint m_lastPoint;
    float m_entryState = 0.f;
    float m_startValue = 0.f;
    float m_coef = 0.f;
    float m_lastAngle = 0.f;
    CButtonState m_oldButton;
};
} // namespace VSTGUI
