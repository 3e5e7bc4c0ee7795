// CBitmap on Windows: a PNG from the module's resources (type "PNG", the file name in capitals),
// or from a file where the name is a path or a resource folder is given.
#include "vstgui/CBitmap.h"

#include "vstgui/CDrawContext.h"
#include "vstgui/CNinePartTiledBitmap.h"
#include "vstgui/ResourceLocator.h"
#include "vstgui/ScaleFactor.h"
#include "vstgui/platform/win32/Gdiplus.h"
#include "vstgui/platform/win32/ModuleResources.h"
#include "vstgui/platform/win32/WideText.h"

#include <shlwapi.h>

#include <cmath>
#include <memory>

namespace VSTGUI
{
namespace
{
// GDI+ decodes lazily and keeps reading its source; a copy in premultiplied pixels of our own
// lets the source go and draws fastest.
Gdiplus::Bitmap* ownedCopy(Gdiplus::Bitmap& decoded)
{
    if (decoded.GetLastStatus() != Gdiplus::Ok) return nullptr;
    const UINT width = decoded.GetWidth();
    const UINT height = decoded.GetHeight();
    if (width == 0 || height == 0) return nullptr;
    auto copy = std::make_unique<Gdiplus::Bitmap>(static_cast<INT>(width), static_cast<INT>(height),
                                                  PixelFormat32bppPARGB);
    Gdiplus::Graphics graphics(copy.get());
    graphics.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
    if (graphics.DrawImage(&decoded, 0, 0, static_cast<INT>(width), static_cast<INT>(height)) !=
        Gdiplus::Ok)
        return nullptr;
    return copy.release();
}

Gdiplus::Bitmap* decodePng(const std::string& bytes)
{
    IStream* stream = SHCreateMemStream(reinterpret_cast<const BYTE*>(bytes.data()),
                                        static_cast<UINT>(bytes.size()));
    if (!stream) return nullptr;
    Gdiplus::Bitmap* copy = nullptr;
    {
        Gdiplus::Bitmap decoded(stream);
        copy = ownedCopy(decoded);
    }
    stream->Release();
    return copy;
}

Gdiplus::Bitmap* loadFile(const std::string& path)
{
    Gdiplus::Bitmap decoded(Win32::toWide(path).c_str());
    return ownedCopy(decoded);
}

Gdiplus::Bitmap* load(const std::string& name, const std::string& folder)
{
    if (name.empty()) return nullptr;
    if (ResourceLocator::isAbsolute(name) || !folder.empty())
    {
        const std::string path = ResourceLocator::findResource(name, folder);
        return path.empty() ? nullptr : loadFile(path);
    }
    std::string bytes;
    if (Win32::readModuleResource(name, "PNG", bytes)) return decodePng(bytes);
    const std::string path = ResourceLocator::findResource(name);
    return path.empty() ? nullptr : loadFile(path);
}

Gdiplus::RectF toRectF(const CRect& r)
{
    return Gdiplus::RectF(static_cast<Gdiplus::REAL>(r.left), static_cast<Gdiplus::REAL>(r.top),
                          static_cast<Gdiplus::REAL>(r.getWidth()),
                          static_cast<Gdiplus::REAL>(r.getHeight()));
}

// Image attributes that scale every pixel's opacity by alpha.
void setOpacity(Gdiplus::ImageAttributes& attributes, float alpha)
{
    Gdiplus::ColorMatrix matrix = {
        {{1, 0, 0, 0, 0}, {0, 1, 0, 0, 0}, {0, 0, 1, 0, 0}, {0, 0, 0, alpha, 0}, {0, 0, 0, 0, 1}}};
    attributes.SetColorMatrix(&matrix);
}
} // namespace

CBitmap::CBitmap(const CResourceDescription& description, const std::string& folder)
    : m_description(description)
{
    Win32::ensureGdiplus();
    m_surface = load(description.name, folder);
    if (!m_surface) return;
    m_width = m_surface->GetWidth();
    m_height = m_surface->GetHeight();
    m_representations.push_back({1.0, m_surface});
    loadScaledRepresentations(folder);
}

void CBitmap::loadScaledRepresentations(const std::string& folder)
{
    for (double scale : BitmapScales::kScales)
    {
        const std::string name = BitmapScales::resourceName(m_description.name, scale);
        if (Gdiplus::Bitmap* image = load(name, folder))
            m_representations.push_back({scale, image});
    }
}

CBitmap::~CBitmap()
{
    for (const Representation& r : m_representations)
        delete r.image;
}

void CBitmap::draw(CDrawContext* context, const CRect& rect, const CPoint& offset, float alpha)
{
    if (!context || !m_surface || rect.isEmpty() || !context->getNativeContext()) return;
    Gdiplus::Graphics& graphics = *context->getNativeContext();
    const Gdiplus::GraphicsState saved = graphics.Save();
    graphics.SetClip(toRectF(rect), Gdiplus::CombineModeIntersect);
    const double scale = context->getScaleFactor();
    const Representation* r = representationFor(scale);
    const auto pixelsWide = static_cast<Gdiplus::REAL>(r->image->GetWidth());
    const auto pixelsHigh = static_cast<Gdiplus::REAL>(r->image->GetHeight());
    // Where the image's origin falls on the device (the views' translations count too).
    Gdiplus::Matrix transform;
    graphics.GetTransform(&transform);
    Gdiplus::REAL m[6] = {1, 0, 0, 1, 0, 0};
    transform.GetElements(m);
    const double deviceX = (rect.left - offset.x) * m[0] + m[4];
    const double deviceY = (rect.top - offset.y) * m[3] + m[5];
    Gdiplus::ImageAttributes attributes;
    if (alpha < 1.f) setOpacity(attributes, alpha);
    if (std::abs(r->scale - scale) < 1e-6)
    {
        // Drawn for this scale: copied pixel for pixel, from a whole device pixel, with the
        // transformation set aside (the clip stays where it is on the device). No interpolation
        // blurs the knob frames, and it is GDI+'s fastest path.
        graphics.ResetTransform();
        graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
        const Gdiplus::RectF dest(static_cast<Gdiplus::REAL>(std::round(deviceX)),
                                  static_cast<Gdiplus::REAL>(std::round(deviceY)), pixelsWide,
                                  pixelsHigh);
        if (alpha >= 1.f)
            graphics.DrawImage(r->image, dest);
        else
            graphics.DrawImage(r->image, dest, 0, 0, pixelsWide, pixelsHigh, Gdiplus::UnitPixel,
                               &attributes);
    }
    else
    {
        // An image for another scale is resampled smoothly; its edge pixels come from the image
        // itself, not from a transparent border.
        graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
        attributes.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
        const Gdiplus::RectF dest(static_cast<Gdiplus::REAL>((std::round(deviceX) - m[4]) / m[0]),
                                  static_cast<Gdiplus::REAL>((std::round(deviceY) - m[5]) / m[3]),
                                  static_cast<Gdiplus::REAL>(pixelsWide / r->scale),
                                  static_cast<Gdiplus::REAL>(pixelsHigh / r->scale));
        graphics.DrawImage(r->image, dest, 0, 0, pixelsWide, pixelsHigh, Gdiplus::UnitPixel,
                           &attributes);
    }
    graphics.Restore(saved);
}

void CNinePartTiledBitmap::drawPart(CDrawContext* context, const CRect& source, const CRect& dest,
                                    float alpha)
{
    if (source.isEmpty() || dest.isEmpty() || !context->getNativeContext() || !getSurface()) return;
    Gdiplus::Graphics& graphics = *context->getNativeContext();
    std::unique_ptr<Gdiplus::Bitmap> part(
        getSurface()->Clone(static_cast<INT>(source.left), static_cast<INT>(source.top),
                            static_cast<INT>(source.getWidth()),
                            static_cast<INT>(source.getHeight()), PixelFormat32bppPARGB));
    if (!part) return;
    Gdiplus::TextureBrush brush(part.get(), Gdiplus::WrapModeTile);
    brush.TranslateTransform(static_cast<Gdiplus::REAL>(dest.left),
                             static_cast<Gdiplus::REAL>(dest.top));
    const Gdiplus::GraphicsState saved = graphics.Save();
    graphics.SetClip(toRectF(dest), Gdiplus::CombineModeIntersect);
    if (alpha < 1.f)
    {
        // Tiles at partial opacity go through a layer of their own.
        Gdiplus::Bitmap layer(static_cast<INT>(dest.getWidth()), static_cast<INT>(dest.getHeight()),
                              PixelFormat32bppPARGB);
        {
            Gdiplus::Graphics layerGraphics(&layer);
            Gdiplus::TextureBrush shifted(part.get(), Gdiplus::WrapModeTile);
            layerGraphics.FillRectangle(&shifted, 0, 0, static_cast<INT>(dest.getWidth()),
                                        static_cast<INT>(dest.getHeight()));
        }
        Gdiplus::ImageAttributes attributes;
        setOpacity(attributes, alpha);
        graphics.DrawImage(&layer, toRectF(dest), 0, 0, static_cast<Gdiplus::REAL>(dest.getWidth()),
                           static_cast<Gdiplus::REAL>(dest.getHeight()), Gdiplus::UnitPixel,
                           &attributes);
    }
    else
        graphics.FillRectangle(&brush, toRectF(dest));
    graphics.Restore(saved);
}
} // namespace VSTGUI
