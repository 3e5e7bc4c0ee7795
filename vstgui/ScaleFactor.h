#pragma once

#include "vstgui/CRect.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace VSTGUI
{
// A frame lays out its views in layout pixels; on a screen at scale s one layout pixel covers
// s x s device pixels. Views, mouse positions and invalid areas stay in layout pixels; only the
// window layer and the drawing back end see device pixels.
namespace ScaleFactor
{
constexpr double kMinimum = 0.5;
constexpr double kMaximum = 4.0;

// A usable scale: non-finite or non-positive values are 1, others kept within 0.5 to 4.
inline double valid(double scale)
{
    if (!std::isfinite(scale) || scale <= 0) return 1.0;
    return std::clamp(scale, kMinimum, kMaximum);
}

// Device pixels for a length of layout pixels, rounded (halves down), at least one. Halves go
// down so the last pixel's centre lies inside the layout: drawn without antialiasing it is
// covered, where rounding up would leave a column the views never paint (303 at 1.5: 454).
// Lengths no int holds (a document may ask for any size) end at the largest one.
inline int toDevice(CCoord length, double scale)
{
    const double pixels = std::ceil(length * scale - 0.5);
    if (!(pixels >= 1)) return 1; // NaN too
    return pixels < double(std::numeric_limits<int>::max()) ? static_cast<int>(pixels)
                                                            : std::numeric_limits<int>::max();
}

// The whole device pixels that cover a layout rectangle.
inline CRect toDeviceBounds(const CRect& r, double scale)
{
    // A hair of tolerance keeps exact products (15 x 1.5) from spilling into the next pixel.
    constexpr double kSlack = 1e-9;
    return CRect(std::floor(r.left * scale + kSlack), std::floor(r.top * scale + kSlack),
                 std::ceil(r.right * scale - kSlack), std::ceil(r.bottom * scale - kSlack));
}

inline CRect toLayout(const CRect& r, double scale)
{
    return CRect(r.left / scale, r.top / scale, r.right / scale, r.bottom / scale);
}

inline CPoint toLayout(const CPoint& p, double scale)
{
    return CPoint(p.x / scale, p.y / scale);
}
} // namespace ScaleFactor

// Bitmaps drawn for other scales sit beside the scale-1 image: "knob.png" has "knob_1.5x.png"
// and "knob_2x.png".
namespace BitmapScales
{
constexpr double kScales[] = {1.5, 2.0};

inline std::string resourceName(const std::string& name, double scale)
{
    const std::string suffix = scale == 1.5 ? "_1.5x" : scale == 2.0 ? "_2x" : "";
    if (suffix.empty()) return name;
    const auto dot = name.find_last_of('.');
    if (dot == std::string::npos) return name + suffix;
    return name.substr(0, dot) + suffix + name.substr(dot);
}
} // namespace BitmapScales
} // namespace VSTGUI
