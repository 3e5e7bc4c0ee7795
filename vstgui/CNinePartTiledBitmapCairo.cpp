// One part of a nine-part bitmap, tiled with cairo (GDI+ draws the parts on Windows:
// platform/win32/GdiplusBitmap.cpp).
#include "vstgui/CNinePartTiledBitmap.h"

#include "vstgui/CDrawContext.h"

#include <cairo.h>

namespace VSTGUI
{
void CNinePartTiledBitmap::drawPart(CDrawContext* context, const CRect& source, const CRect& dest,
                                    float alpha)
{
    if (source.isEmpty() || dest.isEmpty()) return;
    cairo_t* cr = context->getNativeContext();
    cairo_surface_t* part = cairo_surface_create_for_rectangle(
        getSurface(), source.left, source.top, source.getWidth(), source.getHeight());
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(part);
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_REPEAT);
    cairo_matrix_t matrix;
    cairo_matrix_init_translate(&matrix, -dest.left, -dest.top);
    cairo_pattern_set_matrix(pattern, &matrix);
    cairo_save(cr);
    cairo_rectangle(cr, dest.left, dest.top, dest.getWidth(), dest.getHeight());
    cairo_clip(cr);
    cairo_set_source(cr, pattern);
    cairo_paint_with_alpha(cr, alpha);
    cairo_restore(cr);
    cairo_pattern_destroy(pattern);
    cairo_surface_destroy(part);
}
} // namespace VSTGUI
