#include "Drawing.h"

#include <cmath>

namespace bitmapgen
{
void setColor(cairo_t* cr, const Rgb& c, double alpha)
{
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

cairo_pattern_t* litSphere(double cx, double cy, double radius, const Rgb& light, const Rgb& dark)
{
    cairo_pattern_t* p = cairo_pattern_create_radial(cx - radius * 0.35, cy - radius * 0.4,
                                                     radius * 0.1, cx, cy, radius);
    cairo_pattern_add_color_stop_rgb(p, 0, light.r, light.g, light.b);
    cairo_pattern_add_color_stop_rgb(p, 1, dark.r, dark.g, dark.b);
    return p;
}

void dropShadow(cairo_t* cr, double cx, double cy, double radius, double offset)
{
    cairo_pattern_t* p = cairo_pattern_create_radial(cx + offset, cy + offset, radius * 0.6,
                                                     cx + offset, cy + offset, radius + offset);
    cairo_pattern_add_color_stop_rgba(p, 0, 0, 0, 0, 0.55);
    cairo_pattern_add_color_stop_rgba(p, 1, 0, 0, 0, 0);
    cairo_set_source(cr, p);
    cairo_arc(cr, cx + offset, cy + offset, radius + offset, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void screw(cairo_t* cr, double cx, double cy, double radius, double slotAngle)
{
    dropShadow(cr, cx, cy, radius, 1.0);
    cairo_pattern_t* head = litSphere(cx, cy, radius, {0.92, 0.92, 0.93}, {0.42, 0.43, 0.45});
    cairo_set_source(cr, head);
    cairo_arc(cr, cx, cy, radius, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(head);
    cairo_set_line_width(cr, 0.8);
    setColor(cr, {0.25, 0.25, 0.27});
    cairo_arc(cr, cx, cy, radius, 0, 2 * kPi);
    cairo_stroke(cr);
    // The slot.
    cairo_set_line_width(cr, radius * 0.35);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    setColor(cr, {0.18, 0.18, 0.2});
    double dx = std::cos(slotAngle) * radius * 0.7;
    double dy = std::sin(slotAngle) * radius * 0.7;
    cairo_move_to(cr, cx - dx, cy - dy);
    cairo_line_to(cr, cx + dx, cy + dy);
    cairo_stroke(cr);
}
} // namespace bitmapgen
