#pragma once

#include "vstgui/CBaseObject.h"
#include "vstgui/CRect.h"

#include <string>
#include <vector>

#include "vstgui/NativeDrawing.h"

namespace VSTGUI
{
// A bitmap resource: the name of a PNG (found through ResourceLocator) or an absolute path.
struct CResourceDescription
{
    CResourceDescription() = default;
    CResourceDescription(std::string resourceName) : name(std::move(resourceName)) {}
    CResourceDescription(const char* resourceName) : name(resourceName ? resourceName : "") {}
    std::string name;
};

// A PNG image held as a cairo surface. A bitmap whose file is missing or unreadable has size
// 0 x 0 and draws nothing. Images drawn for higher screen scales (BitmapScales) are loaded with
// it where they exist, and drawing at such a scale uses them instead of stretching the image.
class CBitmap : public CBaseObject
{
  public:
    explicit CBitmap(const CResourceDescription& description, const std::string& folder = {});
    ~CBitmap() override;

    CCoord getWidth() const { return m_width; }
    CCoord getHeight() const { return m_height; }
    bool isLoaded() const { return m_surface != nullptr; }
    const CResourceDescription& getResourceDescription() const { return m_description; }

    // Draws the part of the image that starts at offset into rect, clipped to rect.
    virtual void draw(CDrawContext* context, const CRect& rect, const CPoint& offset = CPoint(),
                      float alpha = 1.f);

    NativeImage* getSurface() const { return m_surface; }

    // One image of the bitmap and the scale it was drawn for; its size in layout pixels is its
    // pixel size divided by the scale.
    struct Representation
    {
        double scale;
        NativeImage* image;
    };
    // The image to draw at a screen scale: the smallest drawn for at least that scale, else the
    // largest there is. Null for a bitmap that did not load.
    const Representation* representationFor(double scale) const
    {
        const Representation* best = nullptr;
        for (const Representation& r : m_representations)
            if (r.scale >= scale - 1e-6 && (!best || r.scale < best->scale)) best = &r;
        if (best) return best;
        for (const Representation& r : m_representations)
            if (!best || r.scale > best->scale) best = &r;
        return best;
    }
    size_t getNumRepresentations() const { return m_representations.size(); }

  private:
    void loadScaledRepresentations(const std::string& folder);

    CResourceDescription m_description;
    NativeImage* m_surface = nullptr;
    std::vector<Representation> m_representations; // the scale-1 image first
    CCoord m_width = 0;
    CCoord m_height = 0;
};
} // namespace VSTGUI
