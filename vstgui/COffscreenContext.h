#pragma once

#include "vstgui/CDrawContext.h"

#include <memory>
#include <string>


namespace VSTGUI
{
// A draw context on an ARGB image of its own, for rendering without a display.
class COffscreenContext : public CDrawContext
{
  public:
    // width x height layout pixels at a screen scale: an image of round(width * scale) x
    // round(height * scale) pixels. The image starts fully transparent. Sizes below one pixel
    // are raised to one.
    COffscreenContext(int width, int height, TextRenderer* textRenderer, double scaleFactor = 1);
    ~COffscreenContext() override;

    // The image's size in pixels.
    int getWidth() const { return m_width; }
    int getHeight() const { return m_height; }
    // The image pixel at (x, y), un-premultiplied; transparent outside the image.
    CColor getPixel(int x, int y) const;
    bool writePNG(const std::string& path) const;
    NativeImage* getSurface() const { return m_surface; }

  private:
    COffscreenContext(NativeImage* surface, int width, int height, TextRenderer* textRenderer,
                      double scaleFactor);

    NativeImage* m_surface;
    int m_width;
    int m_height;
};
} // namespace VSTGUI
