#pragma once

#include "vstgui/CControl.h"

namespace VSTGUI
{
enum CVuMeterStyle : int32_t
{
    kHorizontal = 1 << 0,
    kVertical = 1 << 1
};

// A level meter of nbLed steps drawn from an "on" and an "off" bitmap; the shown level falls
// by at most the decrease step per idle tick.
class CVuMeter : public CControl
{
  public:
    CVuMeter(const CRect& size, CBitmap* onBitmap, CBitmap* offBitmap, int32_t nbLed,
             int32_t style = kVertical);

    void setOnBitmap(CBitmap* bitmap) { m_onBitmap.reset(bitmap); }
    CBitmap* getOnBitmap() const { return m_onBitmap.get(); }
    void setOffBitmap(CBitmap* bitmap) { m_offBitmap.reset(bitmap); }
    CBitmap* getOffBitmap() const { return m_offBitmap.get(); }
    void setNbLed(int32_t count) { m_nbLed = count > 0 ? count : 1; }
    int32_t getNbLed() const { return m_nbLed; }
    void setStyle(int32_t style) { m_style = style; }
    int32_t getStyle() const { return m_style; }
    void setDecreaseStepValue(float value) { m_decreaseValue = value; }
    float getDecreaseStepValue() const { return m_decreaseValue; }

    // Advances the shown level by one tick; dirty when it moved.
    void onIdle() override;
    void draw(CDrawContext* context) override;
    CView* newCopy() const override { return new CVuMeter(*this); }
    float getShownValue() const { return m_shownValue; }

  protected:
    CVuMeter(const CVuMeter& other) = default;
    // The shown level after one more tick: the value, or the last level less one decrease step.
    float decayedValue();

    SharedPointer<CBitmap> m_onBitmap;
    SharedPointer<CBitmap> m_offBitmap;
    int32_t m_nbLed;
    int32_t m_style;
    float m_decreaseValue = 0.1f;
    float m_shownValue = 0.f;
};
} // namespace VSTGUI
