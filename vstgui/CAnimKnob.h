#pragma once

#include "vstgui/CKnob.h"

namespace VSTGUI
{
// A knob drawn from a film strip: a vertical bitmap of equal frames, first frame = minimum.
class CAnimKnob : public CKnob
{
  public:
    CAnimKnob(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background,
              const CPoint& offset = CPoint());
    // Frames of the strip; 0 derives the count from the bitmap and the frame height.
    CAnimKnob(const CRect& size, IControlListener* listener, int32_t tag, int32_t subPixmaps,
              CCoord heightOfOneImage, CBitmap* background, const CPoint& offset = CPoint());

    void setHeightOfOneImage(CCoord height) { m_heightOfOneImage = height; }
    // The frame height, or the view's height when none was given.
    CCoord getHeightOfOneImage() const;
    void setNumSubPixmaps(int32_t count) { m_subPixmaps = count; }
    // The frame count, or as many frames as the bitmap holds when none was given.
    int32_t getNumSubPixmaps() const;
    void setInverseBitmap(bool state) { m_inverseBitmap = state; }
    bool getInverseBitmap() const { return m_inverseBitmap; }

    // The vertical offset of the frame shown for the current value.
    CCoord frameOffset() const;
    void draw(CDrawContext* context) override;
    CView* newCopy() const override { return new CAnimKnob(*this); }

  protected:
    CAnimKnob(const CAnimKnob& other) = default;

  private:
    CCoord m_heightOfOneImage = 0;
    int32_t m_subPixmaps = 0;
    bool m_inverseBitmap = false;
};
} // namespace VSTGUI
