#pragma once

#include "vstgui/VSTGUIFwd.h"

namespace VSTGUI
{
struct CPoint
{
    CPoint() = default;
    CPoint(CCoord px, CCoord py) : x(px), y(py) {}

    CPoint& offset(CCoord dx, CCoord dy)
    {
        x += dx;
        y += dy;
        return *this;
    }
    CPoint& offset(const CPoint& p) { return offset(p.x, p.y); }
    CPoint operator+(const CPoint& p) const { return {x + p.x, y + p.y}; }
    CPoint operator-(const CPoint& p) const { return {x - p.x, y - p.y}; }
    bool operator==(const CPoint& p) const { return x == p.x && y == p.y; }
    bool operator!=(const CPoint& p) const { return !(*this == p); }

    CCoord x = 0;
    CCoord y = 0;
};
} // namespace VSTGUI
