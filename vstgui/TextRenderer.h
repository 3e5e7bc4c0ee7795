#pragma once

#include "vstgui/CFontDesc.h"
#include "vstgui/CRect.h"

#include <cstdint>
#include <string>

#include "vstgui/NativeDrawing.h"

#ifndef _WIN32
typedef struct _PangoFontMap PangoFontMap;
typedef struct _PangoContext PangoContext;
typedef struct _PangoLayout PangoLayout;
#endif

namespace VSTGUI
{
// Lays out and draws text with Pango (GDI+ on Windows). Each frame owns one, so fonts are cached
// per editor and nothing is left in process-wide caches that a host would share.
class TextRenderer
{
  public:
    TextRenderer();
    ~TextRenderer();
    TextRenderer(const TextRenderer&) = delete;
    TextRenderer& operator=(const TextRenderer&) = delete;

    // Draws one line of UTF-8 text, vertically centred in rect, aligned as asked, clipped to rect.
#ifdef _WIN32
    // argb: the text colour (GDI+ draws with a brush, not the context's current source).
    void drawString(NativeDrawingContext* graphics, const std::string& text, const CFontDesc& font,
                    const CRect& rect, CHoriTxtAlign align, bool antialias, uint32_t argb);
#else
    void drawString(NativeDrawingContext* cr, const std::string& text, const CFontDesc& font,
                    const CRect& rect, CHoriTxtAlign align, bool antialias);
#endif
    CCoord getStringWidth(const std::string& text, const CFontDesc& font);

  private:
#ifndef _WIN32
    PangoLayout* layoutFor(const std::string& text, const CFontDesc& font);

    PangoFontMap* m_fontMap;
    PangoContext* m_context;
#endif
};
} // namespace VSTGUI
