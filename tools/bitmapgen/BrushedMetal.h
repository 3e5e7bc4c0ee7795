#pragma once

#include <cairo.h>

namespace bitmapgen
{
// A brushed aluminium panel with bevelled edges and a screw in each corner, width x height
// layout pixels drawn at scale (an image of round(width * scale) x round(height * scale)).
cairo_surface_t* drawBrushedMetal(int width, int height, double scale = 1);
} // namespace bitmapgen
