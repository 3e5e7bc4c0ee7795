#pragma once

#include <cairo.h>

namespace bitmapgen
{
// A brushed aluminium panel with bevelled edges and a screw in each corner.
cairo_surface_t* drawBrushedMetal(int width, int height);
} // namespace bitmapgen
