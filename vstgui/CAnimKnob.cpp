#include "vstgui/CAnimKnob.h"

#include "vstgui/CDrawContext.h"

#include <cmath>

namespace VSTGUI
{
CAnimKnob::CAnimKnob(const CRect& size, IControlListener* listener, int32_t tag,
                     CBitmap* background, const CPoint& offset)
    : CKnob(size, listener, tag, background, nullptr, offset)
{
}

CAnimKnob::CAnimKnob(const CRect& size, IControlListener* listener, int32_t tag, int32_t subPixmaps,
                     CCoord heightOfOneImage, CBitmap* background, const CPoint& offset)
    : CKnob(size, listener, tag, background, nullptr, offset), m_heightOfOneImage(heightOfOneImage),
      m_subPixmaps(subPixmaps)
{
}

CCoord CAnimKnob::getHeightOfOneImage() const
{
    return m_heightOfOneImage > 0 ? m_heightOfOneImage : getHeight();
}

int32_t CAnimKnob::getNumSubPixmaps() const
{
    if (m_subPixmaps > 0) return m_subPixmaps;
    CBitmap* back = getBackground();
    CCoord frame = getHeightOfOneImage();
    if (!back || frame <= 0) return 1;
    return std::max<int32_t>(1, static_cast<int32_t>(back->getHeight() / frame));
}

CCoord CAnimKnob::frameOffset() const
{
    CCoord frame = getHeightOfOneImage();
    if (m_value < 0 || frame <= 0) return 0;
    float normalized = getValueNormalized();
    if (m_inverseBitmap) normalized = 1.f - normalized;
    CCoord y = std::floor(normalized * frame * (getNumSubPixmaps() - 1));
    // Whole frames only.
    return y - static_cast<int32_t>(y) % static_cast<int32_t>(frame);
}

void CAnimKnob::draw(CDrawContext* context)
{
    if (CBitmap* back = getDrawBackground())
        back->draw(context, getViewSize(), CPoint(getBackOffset().x, frameOffset()));
    setDirty(false);
}
} // namespace VSTGUI
