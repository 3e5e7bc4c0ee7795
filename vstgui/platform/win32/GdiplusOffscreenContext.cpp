#include "vstgui/COffscreenContext.h"

#include "vstgui/ScaleFactor.h"

#include "vstgui/platform/win32/Gdiplus.h"
#include "vstgui/platform/win32/WideText.h"

#include <algorithm>
#include <vector>

namespace VSTGUI
{
namespace
{
Gdiplus::Bitmap* makeImage(int width, int height)
{
    Win32::ensureGdiplus();
    return new Gdiplus::Bitmap(std::max(1, width), std::max(1, height), PixelFormat32bppPARGB);
}

// The encoder GDI+ registers for a MIME type.
bool encoderFor(const wchar_t* mimeType, CLSID& clsid)
{
    UINT count = 0;
    UINT size = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0) return false;
    std::vector<unsigned char> buffer(size);
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::GetImageEncoders(count, size, encoders) != Gdiplus::Ok) return false;
    for (UINT i = 0; i < count; ++i)
    {
        if (std::wstring(encoders[i].MimeType) == mimeType)
        {
            clsid = encoders[i].Clsid;
            return true;
        }
    }
    return false;
}
} // namespace

COffscreenContext::COffscreenContext(int width, int height, TextRenderer* textRenderer,
                                     double scaleFactor)
    : COffscreenContext(makeImage(ScaleFactor::toDevice(width, ScaleFactor::valid(scaleFactor)),
                                  ScaleFactor::toDevice(height, ScaleFactor::valid(scaleFactor))),
                        ScaleFactor::toDevice(width, ScaleFactor::valid(scaleFactor)),
                        ScaleFactor::toDevice(height, ScaleFactor::valid(scaleFactor)),
                        textRenderer, scaleFactor)
{
}

COffscreenContext::COffscreenContext(NativeImage* image, int width, int height,
                                     TextRenderer* textRenderer, double scaleFactor)
    : CDrawContext(new Gdiplus::Graphics(image), textRenderer, scaleFactor), m_surface(image),
      m_width(width), m_height(height)
{
}

COffscreenContext::~COffscreenContext()
{
    delete getNativeContext();
    delete m_surface;
}

CColor COffscreenContext::getPixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return kTransparentCColor;
    getNativeContext()->Flush(Gdiplus::FlushIntentionSync);
    Gdiplus::Color color;
    if (m_surface->GetPixel(x, y, &color) != Gdiplus::Ok || color.GetA() == 0)
        return kTransparentCColor;
    return CColor(color.GetR(), color.GetG(), color.GetB(), color.GetA());
}

bool COffscreenContext::writePNG(const std::string& path) const
{
    CLSID png;
    if (!encoderFor(L"image/png", png)) return false;
    getNativeContext()->Flush(Gdiplus::FlushIntentionSync);
    return m_surface->Save(Win32::toWide(path).c_str(), &png, nullptr) == Gdiplus::Ok;
}
} // namespace VSTGUI
