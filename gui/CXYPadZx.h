#pragma once

#include "vstgui/CXYPad.h"

namespace VSTGUI
{
// An XY pad in two kinds: a track pad over the whole view, or a joystick whose handle stays
// inside the diamond through the midpoints of the view's edges. The control keeps y counted
// downward (for drawing); its listener, and so the parameter, sees y counted upward.
class CXYPadZx : public CXYPad
{
  public:
    explicit CXYPadZx(const CRect& size = CRect());

    void setJoystick(bool state) { m_bJoystick = state; }
    bool isJoystick() const { return m_bJoystick; }
    bool isTracking() const { return m_bTracking; }
    // The last point of a joystick drag that lay inside the diamond, in pad coordinates.
    CPoint getLastValidPoint() const { return CPoint(m_fLastValidX, m_fLastValidY); }
    // Whether a point in pad coordinates (0..1, y downward) lies inside the diamond.
    bool insideDiamond(float x, float y) const;

    // While the mouse drags the pad the value is taken as it is; otherwise it comes from the
    // parameter side (y upward) and is turned to y downward first.
    void setValue(float value) override;

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CView* newCopy() const override { return new CXYPadZx(*this); }

  protected:
    CXYPadZx(const CXYPadZx& other) = default;

  private:
    void drawDiamond(CDrawContext* context) const;
    // The mouse position in pad coordinates, limited as this kind of pad allows.
    void padPoint(const CPoint& where, float& x, float& y);

    bool m_bTracking = false;
    bool m_bJoystick = false;
    float m_fDiamondX[4] = {0.f, 0.5f, 1.f, 0.5f};
    float m_fDiamondY[4] = {0.5f, 0.f, 0.5f, 1.f};
    float m_fLastValidX = 0.f;
    float m_fLastValidY = 0.f;
};
} // namespace VSTGUI
