#include "vstgui/CNinePartTiledBitmap.h"

#include "vstgui/CDrawContext.h"

#include <algorithm>

namespace VSTGUI
{
CNinePartTiledBitmap::CNinePartTiledBitmap(const CResourceDescription& description,
                                           const PartOffsets& offsets, const std::string& folder)
    : CBitmap(description, folder), m_offsets(offsets)
{
    // Offsets larger than the image would make parts of negative size.
    m_offsets.left = std::clamp(m_offsets.left, 0.0, getWidth());
    m_offsets.right = std::clamp(m_offsets.right, 0.0, getWidth() - m_offsets.left);
    m_offsets.top = std::clamp(m_offsets.top, 0.0, getHeight());
    m_offsets.bottom = std::clamp(m_offsets.bottom, 0.0, getHeight() - m_offsets.top);
}

void CNinePartTiledBitmap::draw(CDrawContext* context, const CRect& rect, const CPoint&,
                                float alpha)
{
    if (!context || !isLoaded() || rect.isEmpty()) return;
    const PartOffsets& o = m_offsets;
    const CCoord srcX[4] = {0, o.left, getWidth() - o.right, getWidth()};
    const CCoord srcY[4] = {0, o.top, getHeight() - o.bottom, getHeight()};
    const CCoord dstX[4] = {rect.left, rect.left + o.left,
                            std::max(rect.left + o.left, rect.right - o.right), rect.right};
    const CCoord dstY[4] = {rect.top, rect.top + o.top,
                            std::max(rect.top + o.top, rect.bottom - o.bottom), rect.bottom};
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column)
            drawPart(context, CRect(srcX[column], srcY[row], srcX[column + 1], srcY[row + 1]),
                     CRect(dstX[column], dstY[row], dstX[column + 1], dstY[row + 1]), alpha);
}
} // namespace VSTGUI
