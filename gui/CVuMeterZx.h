#pragma once

#include "gui/EnvelopeDetector.h"

#include "vstgui/CVuMeter.h"

namespace VSTGUI
{
// A level meter with envelope-detector ballistics, in two kinds:
// - LED meter: the on-bitmap shows the lit part and the off-bitmap the rest, split at the
//   level (quantised to the LED count); an inverted meter lights from the other end.
// - analog meter: the on-bitmap is a vertical film strip of frameCount frames, each
//   frameHeight pixels high, and the level picks the frame. In an inverted strip the frames
//   run from zeroFrame (no signal) towards the top.
// The detector advances once per idle tick; drawing shows the level it reached.
class CVuMeterZx : public CVuMeter
{
  public:
    CVuMeterZx(const CRect& size, CBitmap* onBitmap, CBitmap* offBitmap, int32_t nbLed,
               bool inverted, bool analog, int32_t style = kVertical);
    ~CVuMeterZx() override;

    bool isInverted() const { return m_bInverted; }
    bool isAnalog() const { return m_bAnalog; }
    void setZeroFrame(double frame) { m_dZeroFrame = frame; }
    double getZeroFrame() const { return m_dZeroFrame; }
    void setFrameHeight(double height) { m_dFrameHeight = height; }
    double getFrameHeight() const { return m_dFrameHeight; }
    void setFrameCount(double count) { m_dFrameCount = count; }
    double getFrameCount() const { return m_dFrameCount; }
    EnvelopeDetector& getDetector() { return m_Detector; }
    const EnvelopeDetector& getDetector() const { return m_Detector; }

    void setValue(float value) override;
    void onIdle() override;
    void draw(CDrawContext* context) override;
    // The detector's output the meter shows.
    float getShownLevel() const { return m_shownLevel; }
    CView* newCopy() const override { return new CVuMeterZx(*this); }

  protected:
    CVuMeterZx(const CVuMeterZx& other) = default;

  private:
    void drawAnalog(CDrawContext* context);
    void drawLeds(CDrawContext* context);
    // The vertical offset into the film strip of the frame for detector output e.
    CCoord analogFrameOffset(float e) const;
    // The strip an analog meter draws: a disabled meter's own bitmap, else the on-bitmap.
    CBitmap* filmStrip() const;
    // Pixels of an extent covered by a fraction of the LEDs, whole LEDs only.
    CCoord litPixels(double fraction, CCoord extent) const;

    bool m_bInverted;
    bool m_bAnalog;
    double m_dZeroFrame = 52.0;
    double m_dFrameHeight = 65.0;
    double m_dFrameCount = 80.0;
    EnvelopeDetector m_Detector;
    float m_shownLevel = 0.f;
};
} // namespace VSTGUI
