#pragma once

#include "vstgui/CColor.h"
#include "vstgui/CFontDesc.h"
#include "vstgui/CRect.h"

#include <cstdint>
#include <memory>
#include <string>

#include "vstgui/NativeDrawing.h"

namespace VSTGUI
{
// Lays out and draws text with Pango (GDI+ on Windows). Each frame owns one, so fonts are cached
// per editor and nothing is left in process-wide caches that a host would share. Text is laid
// out in the context's own coordinates: at a screen scale it is drawn at the scaled size.
class TextRenderer
{
  public:
    TextRenderer();
    ~TextRenderer();
    TextRenderer(const TextRenderer&) = delete;
    TextRenderer& operator=(const TextRenderer&) = delete;

    // Draws one line of UTF-8 text, vertically centred in rect, aligned as asked, clipped to
    // rect, in color with its opacity scaled by alpha.
    void drawString(NativeDrawingContext* context, const std::string& text, const CFontDesc& font,
                    const CRect& rect, CHoriTxtAlign align, bool antialias, const CColor& color,
                    float alpha = 1.f);
    CCoord getStringWidth(const std::string& text, const CFontDesc& font);

  private:
    struct Fonts; // the back end's font state
    std::unique_ptr<Fonts> m_fonts;
};
} // namespace VSTGUI
