#include "ToggleSwitch.h"

#include "Drawing.h"

#include <cmath>

namespace bitmapgen
{
namespace
{
void drawNut(cairo_t* cr, double c, double radius)
{
    dropShadow(cr, c, c, radius, 1.5);
    cairo_new_path(cr);
    for (int i = 0; i < 6; ++i)
    {
        double a = kPi / 6 + i * kPi / 3;
        cairo_line_to(cr, c + std::cos(a) * radius, c + std::sin(a) * radius);
    }
    cairo_close_path(cr);
    cairo_pattern_t* nut = litSphere(c, c, radius, {0.95, 0.95, 0.96}, {0.45, 0.46, 0.48});
    cairo_set_source(cr, nut);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(nut);
    setColor(cr, {0.2, 0.2, 0.22}, 0.8);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    // The threaded bushing the lever comes out of.
    cairo_pattern_t* bushing = litSphere(c, c, radius * 0.55, {0.8, 0.8, 0.82}, {0.25, 0.25, 0.27});
    cairo_set_source(cr, bushing);
    cairo_arc(cr, c, c, radius * 0.55, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(bushing);
}

void drawLever(cairo_t* cr, double c, double length, bool up)
{
    double direction = up ? -1 : 1;
    double tipY = c + direction * length;
    // Shadow of the lever on the panel.
    setColor(cr, {0, 0, 0}, 0.35);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 5);
    cairo_move_to(cr, c + 2, c + 2);
    cairo_line_to(cr, c + 3, tipY + 3);
    cairo_stroke(cr);
    // The bat: narrow at the bushing, widening to a rounded end.
    cairo_new_path(cr);
    cairo_move_to(cr, c - 2, c);
    cairo_line_to(cr, c - 3.5, tipY);
    if (up)
        cairo_arc(cr, c, tipY, 3.5, kPi, 2 * kPi);
    else
        cairo_arc_negative(cr, c, tipY, 3.5, kPi, 0);
    cairo_line_to(cr, c + 2, c);
    cairo_close_path(cr);
    cairo_pattern_t* chrome = cairo_pattern_create_linear(c - 4, 0, c + 4, 0);
    cairo_pattern_add_color_stop_rgb(chrome, 0.0, 0.55, 0.56, 0.58);
    cairo_pattern_add_color_stop_rgb(chrome, 0.35, 0.98, 0.98, 0.99);
    cairo_pattern_add_color_stop_rgb(chrome, 1.0, 0.35, 0.36, 0.38);
    cairo_set_source(cr, chrome);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(chrome);
    setColor(cr, {0.15, 0.15, 0.17}, 0.7);
    cairo_set_line_width(cr, 0.6);
    cairo_stroke(cr);
    // The lever's end seen from above.
    cairo_pattern_t* end = litSphere(c, tipY, 3.6, {1, 1, 1}, {0.5, 0.5, 0.52});
    cairo_set_source(cr, end);
    cairo_arc(cr, c, tipY, 3.6, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(end);
}
} // namespace

cairo_surface_t* drawToggleSwitch(int size, double scale)
{
    const int framePixels = static_cast<int>(std::lround(size * scale));
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, framePixels, 2 * framePixels);
    cairo_t* cr = cairo_create(surface);
    cairo_scale(cr, static_cast<double>(framePixels) / size,
                static_cast<double>(framePixels) / size);
    for (int frame = 0; frame < 2; ++frame)
    {
        cairo_save(cr);
        cairo_translate(cr, 0, frame * size);
        double c = size / 2.0;
        drawNut(cr, c, size * 0.24);
        drawLever(cr, c, size * 0.36, frame == 1);
        cairo_restore(cr);
    }
    cairo_destroy(cr);
    return surface;
}
} // namespace bitmapgen
