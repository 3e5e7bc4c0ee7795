#include "vstgui/CBitmap.h"

#include "vstgui/CDrawContext.h"
#include "vstgui/ResourceLocator.h"
#include "vstgui/ScaleFactor.h"

#include <cairo.h>

#include <cmath>

namespace VSTGUI
{
namespace
{
cairo_surface_t* loadPng(const std::string& name, const std::string& folder)
{
    std::string path = ResourceLocator::findResource(name, folder);
    if (path.empty()) return nullptr;
    cairo_surface_t* surface = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS) return surface;
    cairo_surface_destroy(surface);
    return nullptr;
}
} // namespace

CBitmap::CBitmap(const CResourceDescription& description, const std::string& folder)
    : m_description(description)
{
    m_surface = loadPng(description.name, folder);
    if (!m_surface) return;
    m_width = cairo_image_surface_get_width(m_surface);
    m_height = cairo_image_surface_get_height(m_surface);
    m_representations.push_back({1.0, m_surface});
    loadScaledRepresentations(folder);
}

void CBitmap::loadScaledRepresentations(const std::string& folder)
{
    for (double scale : BitmapScales::kScales)
        if (cairo_surface_t* image =
                loadPng(BitmapScales::resourceName(m_description.name, scale), folder))
            m_representations.push_back({scale, image});
}

CBitmap::~CBitmap()
{
    for (const Representation& r : m_representations)
        cairo_surface_destroy(r.image);
}

void CBitmap::draw(CDrawContext* context, const CRect& rect, const CPoint& offset, float alpha)
{
    if (!context || !m_surface || rect.isEmpty()) return;
    cairo_t* cr = context->getNativeContext();
    cairo_save(cr);
    cairo_rectangle(cr, rect.left, rect.top, rect.getWidth(), rect.getHeight());
    cairo_clip(cr);
    const Representation* r = representationFor(context->getScaleFactor());
    if (r->scale == 1.0 && context->getScaleFactor() == 1.0)
        cairo_set_source_surface(cr, m_surface, rect.left - offset.x, rect.top - offset.y);
    else
    {
        // The image's origin goes on a whole device pixel, so an image drawn for the screen's
        // scale maps pixel for pixel.
        double x = rect.left - offset.x;
        double y = rect.top - offset.y;
        cairo_user_to_device(cr, &x, &y);
        x = std::round(x);
        y = std::round(y);
        cairo_device_to_user(cr, &x, &y);
        cairo_pattern_t* pattern = cairo_pattern_create_for_surface(r->image);
        cairo_matrix_t matrix;
        cairo_matrix_init_scale(&matrix, r->scale, r->scale);
        cairo_matrix_translate(&matrix, -x, -y);
        cairo_pattern_set_matrix(pattern, &matrix);
        const bool exact = std::abs(r->scale - context->getScaleFactor()) < 1e-6;
        cairo_pattern_set_filter(pattern, exact ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
        cairo_set_source(cr, pattern);
        cairo_pattern_destroy(pattern);
    }
    cairo_paint_with_alpha(cr, alpha);
    cairo_restore(cr);
}
} // namespace VSTGUI
