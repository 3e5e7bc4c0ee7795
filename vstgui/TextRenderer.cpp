#include "vstgui/TextRenderer.h"

#include <pango/pangocairo.h>

#include <cmath>

namespace VSTGUI
{
namespace
{
PangoFontDescription* makeDescription(const CFontDesc& font)
{
    PangoFontDescription* d = pango_font_description_new();
    pango_font_description_set_family(d, font.getName().c_str());
    pango_font_description_set_absolute_size(d, font.getSize() * PANGO_SCALE);
    pango_font_description_set_weight(d, (font.getStyle() & kBoldFace) ? PANGO_WEIGHT_BOLD
                                                                       : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_style(d, (font.getStyle() & kItalicFace) ? PANGO_STYLE_ITALIC
                                                                        : PANGO_STYLE_NORMAL);
    return d;
}

void applyDecorations(PangoLayout* layout, const CFontDesc& font)
{
    PangoAttrList* attributes = pango_attr_list_new();
    if (font.getStyle() & kUnderlineFace)
        pango_attr_list_insert(attributes, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
    if (font.getStyle() & kStrikethroughFace)
        pango_attr_list_insert(attributes, pango_attr_strikethrough_new(TRUE));
    pango_layout_set_attributes(layout, attributes);
    pango_attr_list_unref(attributes);
}
} // namespace

struct TextRenderer::Fonts
{
    Fonts() : fontMap(pango_cairo_font_map_new()), context(pango_font_map_create_context(fontMap))
    {
    }
    ~Fonts()
    {
        g_object_unref(context);
        g_object_unref(fontMap);
    }
    PangoLayout* layoutFor(const std::string& text, const CFontDesc& font);

    PangoFontMap* fontMap;
    PangoContext* context;
};

TextRenderer::TextRenderer() : m_fonts(std::make_unique<Fonts>()) {}

TextRenderer::~TextRenderer() = default;

PangoLayout* TextRenderer::Fonts::layoutFor(const std::string& text, const CFontDesc& font)
{
    PangoLayout* layout = pango_layout_new(context);
    PangoFontDescription* description = makeDescription(font);
    pango_layout_set_font_description(layout, description);
    pango_font_description_free(description);
    applyDecorations(layout, font);
    pango_layout_set_single_paragraph_mode(layout, TRUE);
    // Invalid UTF-8 is replaced by Pango rather than rejected.
    pango_layout_set_text(layout, text.c_str(), static_cast<int>(text.size()));
    return layout;
}

void TextRenderer::drawString(cairo_t* cr, const std::string& text, const CFontDesc& font,
                              const CRect& rect, CHoriTxtAlign align, bool antialias,
                              const CColor& color, float alpha)
{
    if (text.empty() || rect.isEmpty()) return;
    cairo_set_source_rgba(cr, color.red / 255.0, color.green / 255.0, color.blue / 255.0,
                          color.alpha / 255.0 * alpha);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options,
                                     antialias ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    // The context's transformation (the screen scale among it) goes to Pango, which then
    // rasterises the glyphs at the device's resolution.
    pango_cairo_update_context(cr, m_fonts->context);
    pango_cairo_context_set_font_options(m_fonts->context, options);
    cairo_font_options_destroy(options);

    PangoLayout* layout = m_fonts->layoutFor(text, font);
    int width = 0;
    int height = 0;
    pango_layout_get_pixel_size(layout, &width, &height);
    double x = rect.left;
    if (align == kCenterText)
        x = rect.left + (rect.getWidth() - width) / 2;
    else if (align == kRightText)
        x = rect.right - width;
    double y = rect.top + (rect.getHeight() - height) / 2;

    cairo_save(cr);
    cairo_rectangle(cr, rect.left, rect.top, rect.getWidth(), rect.getHeight());
    cairo_clip(cr);
    cairo_move_to(cr, std::round(x), std::round(y));
    pango_cairo_show_layout(cr, layout);
    cairo_restore(cr);
    g_object_unref(layout);
}

CCoord TextRenderer::getStringWidth(const std::string& text, const CFontDesc& font)
{
    if (text.empty()) return 0;
    PangoLayout* layout = m_fonts->layoutFor(text, font);
    int width = 0;
    int height = 0;
    pango_layout_get_pixel_size(layout, &width, &height);
    g_object_unref(layout);
    return width;
}
} // namespace VSTGUI
