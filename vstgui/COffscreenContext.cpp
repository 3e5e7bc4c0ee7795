#include "vstgui/COffscreenContext.h"

#include "vstgui/ScaleFactor.h"

#include <cairo.h>

#include <algorithm>

namespace VSTGUI
{
namespace
{
cairo_surface_t* makeSurface(int width, int height)
{
    return cairo_image_surface_create(CAIRO_FORMAT_ARGB32, std::max(1, width), std::max(1, height));
}
} // namespace

COffscreenContext::COffscreenContext(int width, int height, TextRenderer* textRenderer,
                                     double scaleFactor)
    : COffscreenContext(makeSurface(ScaleFactor::toDevice(width, ScaleFactor::valid(scaleFactor)),
                                    ScaleFactor::toDevice(height, ScaleFactor::valid(scaleFactor))),
                        ScaleFactor::toDevice(width, ScaleFactor::valid(scaleFactor)),
                        ScaleFactor::toDevice(height, ScaleFactor::valid(scaleFactor)),
                        textRenderer, scaleFactor)
{
}

COffscreenContext::COffscreenContext(cairo_surface_t* surface, int width, int height,
                                     TextRenderer* textRenderer, double scaleFactor)
    : CDrawContext(cairo_create(surface), textRenderer, scaleFactor), m_surface(surface),
      m_width(width), m_height(height)
{
}

COffscreenContext::~COffscreenContext()
{
    cairo_destroy(getNativeContext());
    cairo_surface_destroy(m_surface);
}

CColor COffscreenContext::getPixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return kTransparentCColor;
    cairo_surface_flush(m_surface);
    const unsigned char* data = cairo_image_surface_get_data(m_surface);
    if (!data) return kTransparentCColor;
    int stride = cairo_image_surface_get_stride(m_surface);
    uint32_t argb = *reinterpret_cast<const uint32_t*>(data + y * stride + x * 4);
    uint8_t a = argb >> 24;
    if (a == 0) return kTransparentCColor;
    auto unpremultiply = [a](uint32_t c) { return static_cast<uint8_t>((c * 255 + a / 2) / a); };
    return CColor(unpremultiply((argb >> 16) & 0xff), unpremultiply((argb >> 8) & 0xff),
                  unpremultiply(argb & 0xff), a);
}

bool COffscreenContext::writePNG(const std::string& path) const
{
    cairo_surface_flush(m_surface);
    return cairo_surface_write_to_png(m_surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
}
} // namespace VSTGUI
