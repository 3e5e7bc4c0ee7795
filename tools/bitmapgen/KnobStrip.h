#pragma once

#include "Drawing.h"

namespace bitmapgen
{
struct KnobStyle
{
    bool chickenhead; // a pointer-shaped body; otherwise a round, knurled cap
    Rgb skirtLight, skirtDark;
    Rgb bodyLight, bodyDark;
    Rgb indicator;
};

// One knob drawn in a size x size square, turned to angle (radians, clockwise from three
// o'clock).
void drawKnob(cairo_t* cr, double size, double angle, const KnobStyle& style);

// A vertical film strip of frames, frame 0 at the minimum (135 degrees), the last at the
// maximum (405 degrees), each frame size x size layout pixels drawn at scale.
cairo_surface_t* drawKnobStrip(int size, int frames, const KnobStyle& style, double scale = 1);
} // namespace bitmapgen
