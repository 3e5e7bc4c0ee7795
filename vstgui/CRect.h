#pragma once

#include "vstgui/CPoint.h"

#include <algorithm>

namespace VSTGUI
{
// An axis-aligned rectangle; right and bottom are exclusive, as in VSTGUI.
struct CRect
{
    CRect() = default;
    CRect(CCoord l, CCoord t, CCoord r, CCoord b) : left(l), top(t), right(r), bottom(b) {}
    CRect(const CPoint& origin, const CPoint& size)
        : left(origin.x), top(origin.y), right(origin.x + size.x), bottom(origin.y + size.y)
    {
    }

    CCoord getWidth() const { return right - left; }
    CCoord getHeight() const { return bottom - top; }
    CRect& setWidth(CCoord w)
    {
        right = left + w;
        return *this;
    }
    CRect& setHeight(CCoord h)
    {
        bottom = top + h;
        return *this;
    }
    CPoint getTopLeft() const { return {left, top}; }
    CPoint getSize() const { return {getWidth(), getHeight()}; }
    CPoint getCenter() const { return {left + getWidth() / 2, top + getHeight() / 2}; }
    bool isEmpty() const { return right <= left || bottom <= top; }

    CRect& offset(CCoord dx, CCoord dy)
    {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
        return *this;
    }
    CRect& offset(const CPoint& p) { return offset(p.x, p.y); }
    CRect& moveTo(CCoord x, CCoord y) { return offset(x - left, y - top); }
    CRect& inset(CCoord dx, CCoord dy)
    {
        left += dx;
        right -= dx;
        top += dy;
        bottom -= dy;
        return *this;
    }
    CRect& extend(CCoord dx, CCoord dy) { return inset(-dx, -dy); }

    bool pointInside(const CPoint& p) const
    {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    bool rectOverlap(const CRect& r) const
    {
        return r.right > left && r.left < right && r.bottom > top && r.top < bottom;
    }
    // Intersection with another rectangle; empty (zero size) when they do not overlap.
    CRect& bound(const CRect& r)
    {
        left = std::max(left, r.left);
        top = std::max(top, r.top);
        right = std::max(left, std::min(right, r.right));
        bottom = std::max(top, std::min(bottom, r.bottom));
        return *this;
    }
    CRect& unite(const CRect& r)
    {
        if (r.isEmpty()) return *this;
        if (isEmpty()) return *this = r;
        left = std::min(left, r.left);
        top = std::min(top, r.top);
        right = std::max(right, r.right);
        bottom = std::max(bottom, r.bottom);
        return *this;
    }
    bool operator==(const CRect& r) const
    {
        return left == r.left && top == r.top && right == r.right && bottom == r.bottom;
    }
    bool operator!=(const CRect& r) const { return !(*this == r); }

    CCoord left = 0;
    CCoord top = 0;
    CCoord right = 0;
    CCoord bottom = 0;
};
} // namespace VSTGUI
