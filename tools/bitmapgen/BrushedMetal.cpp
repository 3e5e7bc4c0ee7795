#include "BrushedMetal.h"

#include "Drawing.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace bitmapgen
{
namespace
{
// Horizontal grain: each row has its own brightness, smeared sideways by a running average of
// per-pixel noise, which gives the long streaks of a brushed surface.
void brushGrain(cairo_surface_t* surface, int width, int height)
{
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    Random random(0x5EED0F3A1ull);
    std::vector<double> streak(static_cast<size_t>(width));
    for (int y = 0; y < height; ++y)
    {
        double rowShade = random.signedUnit() * 0.025;
        double smear = 0;
        for (int x = 0; x < width; ++x)
        {
            smear = smear * 0.93 + random.signedUnit() * 0.07;
            streak[static_cast<size_t>(x)] = smear;
        }
        double vertical = 0.04 * std::cos(kPi * y / height);
        for (int x = 0; x < width; ++x)
        {
            double shade = 0.70 + vertical + rowShade + streak[static_cast<size_t>(x)] * 0.55 +
                           random.signedUnit() * 0.008;
            shade = std::clamp(shade, 0.0, 1.0);
            auto* pixel = reinterpret_cast<uint32_t*>(data + y * stride) + x;
            auto level = static_cast<uint32_t>(shade * 255.0 + 0.5);
            uint32_t blue = std::min<uint32_t>(255, level + 4);
            *pixel = 0xFF000000u | (level << 16) | (level << 8) | blue;
        }
    }
    cairo_surface_mark_dirty(surface);
}

void bevel(cairo_t* cr, int width, int height)
{
    cairo_set_line_width(cr, 2);
    setColor(cr, {1, 1, 1}, 0.55);
    cairo_move_to(cr, 1, height - 1);
    cairo_line_to(cr, 1, 1);
    cairo_line_to(cr, width - 1, 1);
    cairo_stroke(cr);
    setColor(cr, {0, 0, 0}, 0.45);
    cairo_move_to(cr, width - 1, 1);
    cairo_line_to(cr, width - 1, height - 1);
    cairo_line_to(cr, 1, height - 1);
    cairo_stroke(cr);
}
} // namespace

cairo_surface_t* drawBrushedMetal(int width, int height)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    brushGrain(surface, width, height);
    cairo_t* cr = cairo_create(surface);
    // A soft sheen across the middle, as light falls on the grain.
    cairo_pattern_t* sheen = cairo_pattern_create_linear(0, 0, width, height);
    cairo_pattern_add_color_stop_rgba(sheen, 0.0, 1, 1, 1, 0.0);
    cairo_pattern_add_color_stop_rgba(sheen, 0.45, 1, 1, 1, 0.10);
    cairo_pattern_add_color_stop_rgba(sheen, 1.0, 0, 0, 0, 0.08);
    cairo_set_source(cr, sheen);
    cairo_paint(cr);
    cairo_pattern_destroy(sheen);
    bevel(cr, width, height);
    const double inset = 8;
    screw(cr, inset, inset, 3.5, 0.6);
    screw(cr, width - inset, inset, 3.5, 2.1);
    screw(cr, inset, height - inset, 3.5, 1.2);
    screw(cr, width - inset, height - inset, 3.5, 2.7);
    cairo_destroy(cr);
    return surface;
}
} // namespace bitmapgen
