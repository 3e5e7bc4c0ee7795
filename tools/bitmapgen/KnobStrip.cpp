#include "KnobStrip.h"

#include <cmath>

namespace bitmapgen
{
namespace
{
void drawSkirt(cairo_t* cr, double c, double radius, double angle, const KnobStyle& style)
{
    cairo_pattern_t* skirt = litSphere(c, c, radius, style.skirtLight, style.skirtDark);
    cairo_set_source(cr, skirt);
    cairo_arc(cr, c, c, radius, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(skirt);
    // Knurling: fine ridges that turn with the knob.
    cairo_set_line_width(cr, 0.7);
    for (int i = 0; i < 40; ++i)
    {
        double a = angle + i * 2 * kPi / 40;
        setColor(cr, i % 2 ? Rgb{1, 1, 1} : Rgb{0, 0, 0}, 0.18);
        cairo_move_to(cr, c + std::cos(a) * radius * 0.82, c + std::sin(a) * radius * 0.82);
        cairo_line_to(cr, c + std::cos(a) * radius * 0.98, c + std::sin(a) * radius * 0.98);
        cairo_stroke(cr);
    }
    setColor(cr, {0, 0, 0}, 0.6);
    cairo_set_line_width(cr, 0.8);
    cairo_arc(cr, c, c, radius, 0, 2 * kPi);
    cairo_stroke(cr);
}

void drawChickenhead(cairo_t* cr, double c, double radius, double angle, const KnobStyle& style)
{
    cairo_save(cr);
    cairo_translate(cr, c, c);
    cairo_rotate(cr, angle);
    double tip = radius * 1.05;
    double back = radius * 0.62;
    double half = radius * 0.42;
    cairo_move_to(cr, tip, 0);
    cairo_curve_to(cr, tip * 0.6, -half * 0.55, 0, -half, -back * 0.6, -half * 0.9);
    cairo_curve_to(cr, -back * 1.1, -half * 0.6, -back * 1.1, half * 0.6, -back * 0.6, half * 0.9);
    cairo_curve_to(cr, 0, half, tip * 0.6, half * 0.55, tip, 0);
    cairo_close_path(cr);
    cairo_restore(cr);
    // Lit from the upper left whatever the pointer's angle.
    cairo_pattern_t* body = litSphere(c, c, radius * 1.1, style.bodyLight, style.bodyDark);
    cairo_set_source(cr, body);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(body);
    setColor(cr, {0, 0, 0}, 0.7);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
}

void drawIndicator(cairo_t* cr, double c, double from, double to, double angle, const Rgb& color)
{
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 1.8);
    setColor(cr, color);
    cairo_move_to(cr, c + std::cos(angle) * from, c + std::sin(angle) * from);
    cairo_line_to(cr, c + std::cos(angle) * to, c + std::sin(angle) * to);
    cairo_stroke(cr);
}
} // namespace

void drawKnob(cairo_t* cr, double size, double angle, const KnobStyle& style)
{
    double c = size / 2;
    double radius = size * 0.36;
    dropShadow(cr, c, c, radius, size * 0.05);
    drawSkirt(cr, c, radius, angle, style);
    if (style.chickenhead)
    {
        drawChickenhead(cr, c, radius, angle, style);
        drawIndicator(cr, c, radius * 0.25, radius * 0.95, angle, style.indicator);
        return;
    }
    cairo_pattern_t* cap = litSphere(c, c, radius * 0.72, style.bodyLight, style.bodyDark);
    cairo_set_source(cr, cap);
    cairo_arc(cr, c, c, radius * 0.72, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(cap);
    drawIndicator(cr, c, radius * 0.3, radius * 0.95, angle, style.indicator);
}

cairo_surface_t* drawKnobStrip(int size, int frames, const KnobStyle& style, double scale)
{
    // Whole pixels per frame at every scale, so a frame's offset stays exact.
    const int framePixels = static_cast<int>(std::lround(size * scale));
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, framePixels, framePixels * frames);
    cairo_t* cr = cairo_create(surface);
    cairo_scale(cr, static_cast<double>(framePixels) / size,
                static_cast<double>(framePixels) / size);
    for (int i = 0; i < frames; ++i)
    {
        double value = frames > 1 ? static_cast<double>(i) / (frames - 1) : 0.0;
        double angle = 0.75 * kPi + value * 1.5 * kPi;
        cairo_save(cr);
        cairo_translate(cr, 0, i * size);
        cairo_rectangle(cr, 0, 0, size, size);
        cairo_clip(cr);
        drawKnob(cr, size, angle, style);
        cairo_restore(cr);
    }
    cairo_destroy(cr);
    return surface;
}
} // namespace bitmapgen
