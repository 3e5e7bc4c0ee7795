#pragma once

#include <cairo.h>

namespace bitmapgen
{
// A chrome bat-handle toggle switch on a hex nut: two size x size frames one above the
// other, lever down (off) then lever up (on), drawn at scale.
cairo_surface_t* drawToggleSwitch(int size, double scale = 1);
} // namespace bitmapgen
