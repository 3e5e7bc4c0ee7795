#include "gui/CVuMeterZx.h"

#include "vstgui/CDrawContext.h"

#include <cmath>
#include <limits>

namespace VSTGUI
{
namespace
{
// Whole pixels as an integer; out-of-range and non-numbers give 0.
int32_t toPixels(double value)
{
    constexpr double kLimit = std::numeric_limits<int32_t>::max();
    if (!(std::fabs(value) < kLimit)) return 0;
    return static_cast<int32_t>(value);
}
} // namespace

CVuMeterZx::CVuMeterZx(const CRect& size, CBitmap* onBitmap, CBitmap* offBitmap, int32_t nbLed,
                       bool inverted, bool analog, int32_t style)
    : CVuMeter(size, onBitmap, offBitmap, nbLed, style), m_bInverted(inverted), m_bAnalog(analog)
{
}

CVuMeterZx::~CVuMeterZx() = default;

void CVuMeterZx::setValue(float value)
{
    CControl::setValue(value);
}

void CVuMeterZx::onIdle()
{
    if (!getOnBitmap()) return;
    const float level = decayedValue();
    // A two-LED meter is an on/off lamp for the value itself: it has no ballistics.
    if (!m_bAnalog && getNbLed() == 2) return;
    const float before = m_shownLevel;
    m_shownLevel = m_Detector.process(level);
    if (m_shownLevel != before) setDirty(true);
}

void CVuMeterZx::draw(CDrawContext* context)
{
    if (getOnBitmap())
    {
        if (m_bAnalog)
            drawAnalog(context);
        else
            drawLeds(context);
    }
    setDirty(false);
}

CBitmap* CVuMeterZx::filmStrip() const
{
    if (!getMouseEnabled() && getDisabledBackground()) return getDisabledBackground();
    return getOnBitmap();
}

CCoord CVuMeterZx::analogFrameOffset(float e) const
{
    const double p = m_bInverted ? (m_dZeroFrame / m_dFrameCount) * (1.0 - e) : e;
    const int32_t y = toPixels(std::floor((m_dFrameCount - 1) * m_dFrameHeight * p));
    const int32_t height = toPixels(m_dFrameHeight);
    if (height < 1) return 0;
    return y - y % height;
}

void CVuMeterZx::drawAnalog(CDrawContext* context)
{
    const float e = m_shownLevel;
    CBitmap* strip = filmStrip();
    if (!strip) return;
    CCoord y = 0;
    if (getValue() >= 0.f && m_dFrameHeight > 0) y = analogFrameOffset(e);
    strip->draw(context, getViewSize(), CPoint(0, y), 1.f);
}

CCoord CVuMeterZx::litPixels(double fraction, CCoord extent) const
{
    const int32_t leds = toPixels(getNbLed() * fraction + 0.5);
    const int32_t t = toPixels(static_cast<double>(leds) / getNbLed() * extent + 0.5);
    return t < 1 ? 0 : t;
}

void CVuMeterZx::drawLeds(CDrawContext* context)
{
    // A two-LED meter is an on/off lamp for the value itself.
    const float s = getNbLed() == 2 ? (getValue() >= 0.5f ? 1.f : 0.f) : m_shownLevel;

    CBitmap* on = getOnBitmap();
    CRect onRect = getViewSize();
    CRect offRect = getViewSize();
    CPoint onOffset;
    CPoint offOffset;
    if (getStyle() & kHorizontal)
    {
        if (!m_bInverted)
        {
            const CCoord t = litPixels(getMin() + s, on->getWidth());
            offOffset.x = t;
            offRect.left += t;
            onRect.right = onRect.left + t;
        }
        else
        {
            const CCoord t = litPixels(getMax() - s, on->getWidth());
            onOffset.x = t;
            onRect.left += t;
            offRect.right = offRect.left + t;
        }
    }
    else
    {
        if (!m_bInverted)
        {
            const CCoord t = litPixels(getMax() - s, on->getHeight());
            onOffset.y = t;
            offRect.bottom = offRect.top + t;
            onRect.top += t;
        }
        else
        {
            const CCoord t = litPixels(s, on->getHeight());
            offOffset.y = t;
            onRect.bottom = onRect.top + t;
            offRect.top += t;
        }
    }
    if (CBitmap* off = getOffBitmap()) off->draw(context, offRect, offOffset, 1.f);
    on->draw(context, onRect, onOffset, 1.f);
}
} // namespace VSTGUI
