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
// per-pixel noise, which gives the long streaks of a brushed surface. The grain is a texture of
// the layout's pixels, so every scale shows the same streaks.
std::vector<double> grainShades(int width, int height)
{
    std::vector<double> shades(static_cast<size_t>(width) * height);
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
            shades[static_cast<size_t>(y) * width + x] = std::clamp(shade, 0.0, 1.0);
        }
    }
    return shades;
}

// The grain at an image scale: rows keep their own shade (nearest row), streaks are followed
// smoothly along the row. At scale 1 every pixel is its own grain value.
void brushGrain(cairo_surface_t* surface, int width, int height, double scale)
{
    const std::vector<double> shades = grainShades(width, height);
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const int pixelsWide = cairo_image_surface_get_width(surface);
    const int pixelsHigh = cairo_image_surface_get_height(surface);
    for (int py = 0; py < pixelsHigh; ++py)
    {
        const int y = std::clamp(static_cast<int>((py + 0.5) / scale), 0, height - 1);
        const double* row = &shades[static_cast<size_t>(y) * width];
        for (int px = 0; px < pixelsWide; ++px)
        {
            const double u = std::clamp((px + 0.5) / scale - 0.5, 0.0, width - 1.0);
            const int x = static_cast<int>(u);
            const double t = u - x;
            const double shade = x + 1 < width ? row[x] * (1 - t) + row[x + 1] * t : row[x];
            auto* pixel = reinterpret_cast<uint32_t*>(data + py * stride) + px;
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

cairo_surface_t* drawBrushedMetal(int width, int height, double scale)
{
    cairo_surface_t* surface = cairo_image_surface_create(
        CAIRO_FORMAT_ARGB32, static_cast<int>(std::lround(width * scale)),
        static_cast<int>(std::lround(height * scale)));
    brushGrain(surface, width, height, scale);
    cairo_t* cr = cairo_create(surface);
    cairo_scale(cr, scale, scale);
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
