#include "vstgui/CBitmap.h"

#include "vstgui/CDrawContext.h"
#include "vstgui/ResourceLocator.h"

#include <cairo.h>

namespace VSTGUI
{
CBitmap::CBitmap(const CResourceDescription& description, const std::string& folder)
    : m_description(description)
{
    std::string path = ResourceLocator::findResource(description.name, folder);
    if (path.empty()) return;
    cairo_surface_t* surface = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS)
    {
        cairo_surface_destroy(surface);
        return;
    }
    m_surface = surface;
    m_width = cairo_image_surface_get_width(surface);
    m_height = cairo_image_surface_get_height(surface);
}

CBitmap::~CBitmap()
{
    if (m_surface) cairo_surface_destroy(m_surface);
}

void CBitmap::draw(CDrawContext* context, const CRect& rect, const CPoint& offset, float alpha)
{
    if (!context || !m_surface || rect.isEmpty()) return;
    cairo_t* cr = context->getNativeContext();
    cairo_save(cr);
    cairo_rectangle(cr, rect.left, rect.top, rect.getWidth(), rect.getHeight());
    cairo_clip(cr);
    cairo_set_source_surface(cr, m_surface, rect.left - offset.x, rect.top - offset.y);
    cairo_paint_with_alpha(cr, alpha);
    cairo_restore(cr);
}
} // namespace VSTGUI
