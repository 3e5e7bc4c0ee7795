#pragma once

#include "vstgui/CParamDisplay.h"

namespace VSTGUI
{
// A two-dimensional pad. Its single value packs x and y (three decimals each): x in the
// thousandths, y below them. The handle is a disc the size of the round-rect radius.
class CXYPad : public CParamDisplay
{
  public:
    explicit CXYPad(const CRect& size = CRect());

    static float calculateValue(float x, float y);
    static void calculateXY(float value, float& x, float& y);

    void setStopTrackingOnMouseExit(bool state) { m_stopTrackingOnMouseExit = state; }
    bool getStopTrackingOnMouseExit() const { return m_stopTrackingOnMouseExit; }

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CView* newCopy() const override { return new CXYPad(*this); }

  protected:
    CXYPad(const CXYPad& other) = default;
    static void boundValues(float& x, float& y);
    // The handle's rectangle for a normalised point.
    CRect handleRect(float x, float y) const;
    // The round handle at the point the value packs.
    void drawHandle(CDrawContext* context) const;

    CPoint m_mouseChangeStartPoint;
    CPoint m_lastMouseChangePoint;
    bool m_stopTrackingOnMouseExit = false;
};
} // namespace VSTGUI
