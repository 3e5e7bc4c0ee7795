#pragma once

#include "vstgui/CFontDesc.h"
#include "vstgui/CRect.h"

#include <string>

typedef struct _cairo cairo_t;
typedef struct _PangoFontMap PangoFontMap;
typedef struct _PangoContext PangoContext;
typedef struct _PangoLayout PangoLayout;

namespace VSTGUI
{
// Lays out and draws text with Pango. Each frame owns one, so fonts are cached per editor and
// nothing is left in process-wide caches that a host would share.
class TextRenderer
{
  public:
    TextRenderer();
    ~TextRenderer();
    TextRenderer(const TextRenderer&) = delete;
    TextRenderer& operator=(const TextRenderer&) = delete;

    // Draws one line of UTF-8 text, vertically centred in rect, aligned as asked, clipped to rect.
    void drawString(cairo_t* cr, const std::string& text, const CFontDesc& font, const CRect& rect,
                    CHoriTxtAlign align, bool antialias);
    CCoord getStringWidth(const std::string& text, const CFontDesc& font);

  private:
    PangoLayout* layoutFor(const std::string& text, const CFontDesc& font);

    PangoFontMap* m_fontMap;
    PangoContext* m_context;
};
} // namespace VSTGUI
