#pragma once

#include "vstgui/CControl.h"

namespace VSTGUI
{
// A momentary button: max while pressed, back to min on release. The bitmap holds two frames
// one above the other: released, then pressed.
class CKickButton : public CControl
{
  public:
    CKickButton(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background,
                const CPoint& offset = CPoint());
    CKickButton(const CRect& size, IControlListener* listener, int32_t tag, CCoord heightOfOneImage,
                CBitmap* background, const CPoint& offset = CPoint());

    void setHeightOfOneImage(CCoord height) { m_heightOfOneImage = height; }
    CCoord getHeightOfOneImage() const;

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CView* newCopy() const override { return new CKickButton(*this); }

  protected:
    CKickButton(const CKickButton& other) = default;
    float m_entryState = 0.f;

  private:
    CCoord m_heightOfOneImage = 0;
};
} // namespace VSTGUI
