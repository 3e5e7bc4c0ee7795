#pragma once

#include "vstgui/CControl.h"

namespace VSTGUI
{
// A switch that toggles between min and max on each click. Its bitmap holds two frames one
// above the other: off, then on.
class COnOffButton : public CControl
{
  public:
    COnOffButton(const CRect& size, IControlListener* listener = nullptr, int32_t tag = -1,
                 CBitmap* background = nullptr);

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    int32_t onKeyDown(VstKeyCode& keyCode) override;
    CView* newCopy() const override { return new COnOffButton(*this); }

  protected:
    COnOffButton(const COnOffButton& other) = default;

  private:
    void toggle();
};
} // namespace VSTGUI
