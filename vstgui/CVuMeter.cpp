#include "vstgui/CVuMeter.h"

#include "vstgui/CDrawContext.h"

#include <algorithm>

namespace VSTGUI
{
CVuMeter::CVuMeter(const CRect& size, CBitmap* onBitmap, CBitmap* offBitmap, int32_t nbLed,
                   int32_t style)
    : CControl(size), m_nbLed(nbLed > 0 ? nbLed : 1), m_style(style)
{
    m_onBitmap.reset(onBitmap);
    m_offBitmap.reset(offBitmap);
    setWantsFocus(false);
    setMouseEnabled(false);
}

float CVuMeter::decayedValue()
{
    bounceValue();
    m_shownValue = std::max(m_value, m_shownValue - m_decreaseValue);
    return m_shownValue;
}

void CVuMeter::onIdle()
{
    const float before = m_shownValue;
    if (decayedValue() != before) setDirty(true);
}

void CVuMeter::draw(CDrawContext* context)
{
    if (!m_onBitmap)
    {
        setDirty(false);
        return;
    }
    const float level = m_shownValue;
    CRect on = getViewSize();
    CRect off = getViewSize();
    CPoint onOffset;
    CPoint offOffset;
    if (m_style & kHorizontal)
    {
        CCoord t = static_cast<int32_t>(m_nbLed * (getMin() + level) + 0.5f) /
                   static_cast<float>(m_nbLed) * m_onBitmap->getWidth();
        t = std::max<CCoord>(0, static_cast<int32_t>(t));
        offOffset.x = t;
        off.left += t;
        on.right = on.left + t;
    }
    else
    {
        CCoord t = static_cast<int32_t>(m_nbLed * (getMax() - level) + 0.5f) /
                   static_cast<float>(m_nbLed) * m_onBitmap->getHeight();
        t = std::max<CCoord>(0, static_cast<int32_t>(t));
        onOffset.y = t;
        off.bottom = off.top + t;
        on.top += t;
    }
    if (m_offBitmap) m_offBitmap->draw(context, off, offOffset);
    m_onBitmap->draw(context, on, onOffset);
    setDirty(false);
}
} // namespace VSTGUI
