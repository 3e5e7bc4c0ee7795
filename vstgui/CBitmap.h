#pragma once

#include "vstgui/CBaseObject.h"
#include "vstgui/CRect.h"

#include <string>

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
// 0 x 0 and draws nothing.
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

  private:
    CResourceDescription m_description;
    NativeImage* m_surface = nullptr;
    CCoord m_width = 0;
    CCoord m_height = 0;
};
} // namespace VSTGUI
