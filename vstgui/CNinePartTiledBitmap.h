#pragma once

#include "vstgui/CBitmap.h"

namespace VSTGUI
{
// A bitmap cut into nine parts by four edge offsets: the corners are drawn as they are, the
// edges and the middle are tiled to fill whatever rectangle the bitmap is drawn into.
class CNinePartTiledBitmap : public CBitmap
{
  public:
    struct PartOffsets
    {
        CCoord left = 0;
        CCoord top = 0;
        CCoord right = 0;
        CCoord bottom = 0;
    };

    CNinePartTiledBitmap(const CResourceDescription& description, const PartOffsets& offsets,
                         const std::string& folder = {});

    const PartOffsets& getPartOffsets() const { return m_offsets; }
    // The offset is ignored: the whole image is spread over rect.
    void draw(CDrawContext* context, const CRect& rect, const CPoint& offset = CPoint(),
              float alpha = 1.f) override;

  private:
    void drawPart(CDrawContext* context, const CRect& source, const CRect& dest, float alpha);

    PartOffsets m_offsets;
};
} // namespace VSTGUI
