#include "vstgui/CDrawContext.h"

#include "common/MathConstants.h"

#include "vstgui/CBitmap.h"
#include "vstgui/ScaleFactor.h"
#include "vstgui/TextRenderer.h"

#include <cairo.h>

#include <cmath>

namespace VSTGUI
{
CDrawContext::CDrawContext(cairo_t* cr, TextRenderer* textRenderer, double scaleFactor)
    : m_cr(cr), m_textRenderer(textRenderer), m_scaleFactor(ScaleFactor::valid(scaleFactor))
{
    if (m_scaleFactor != 1.0) cairo_scale(m_cr, m_scaleFactor, m_scaleFactor);
}

void CDrawContext::setSource(const CColor& c)
{
    cairo_set_source_rgba(m_cr, c.red / 255.0, c.green / 255.0, c.blue / 255.0,
                          c.alpha / 255.0 * m_state.globalAlpha);
}

bool CDrawContext::isPixelAligned() const
{
    // Odd line widths sit on pixel centres, so aliased strokes stay one pixel sharp.
    return static_cast<long>(std::lround(m_state.lineWidth)) % 2 == 1;
}

void CDrawContext::finishPath(CDrawStyle style)
{
    cairo_set_antialias(m_cr, m_state.drawMode == kAntiAliasing ? CAIRO_ANTIALIAS_DEFAULT
                                                                : CAIRO_ANTIALIAS_NONE);
    cairo_set_line_width(m_cr, m_state.lineWidth);
    if (style == kDrawFilled || style == kDrawFilledAndStroked)
    {
        setSource(m_state.fillColor);
        if (style == kDrawFilledAndStroked)
            cairo_fill_preserve(m_cr);
        else
            cairo_fill(m_cr);
    }
    if (style == kDrawStroked || style == kDrawFilledAndStroked)
    {
        setSource(m_state.frameColor);
        cairo_stroke(m_cr);
    }
}

void CDrawContext::drawLine(const CPoint& start, const CPoint& end)
{
    double shift = (m_state.drawMode == kAliasing && isPixelAligned()) ? 0.5 : 0.0;
    cairo_move_to(m_cr, start.x + shift, start.y + shift);
    cairo_line_to(m_cr, end.x + shift, end.y + shift);
    finishPath(kDrawStroked);
}

void CDrawContext::drawRect(const CRect& rect, CDrawStyle style)
{
    CRect r = rect;
    // A stroke stays inside the rectangle, as a frame does.
    if (style != kDrawFilled) r.inset(m_state.lineWidth / 2, m_state.lineWidth / 2);
    if (style == kDrawFilled) r = rect;
    cairo_new_path(m_cr);
    if (style == kDrawFilledAndStroked)
    {
        cairo_rectangle(m_cr, rect.left, rect.top, rect.getWidth(), rect.getHeight());
        setSource(m_state.fillColor);
        cairo_set_antialias(m_cr, m_state.drawMode == kAntiAliasing ? CAIRO_ANTIALIAS_DEFAULT
                                                                    : CAIRO_ANTIALIAS_NONE);
        cairo_fill(m_cr);
        cairo_rectangle(m_cr, r.left, r.top, r.getWidth(), r.getHeight());
        finishPath(kDrawStroked);
        return;
    }
    cairo_rectangle(m_cr, r.left, r.top, r.getWidth(), r.getHeight());
    finishPath(style);
}

void CDrawContext::drawRoundRect(const CRect& rect, CCoord radius, CDrawStyle style)
{
    CRect r = rect;
    if (style != kDrawFilled) r.inset(m_state.lineWidth / 2, m_state.lineWidth / 2);
    double rad = std::max(0.0, std::min(radius, std::min(r.getWidth(), r.getHeight()) / 2));
    cairo_new_path(m_cr);
    cairo_arc(m_cr, r.right - rad, r.top + rad, rad, -vevadur::kPi / 2, 0);
    cairo_arc(m_cr, r.right - rad, r.bottom - rad, rad, 0, vevadur::kPi / 2);
    cairo_arc(m_cr, r.left + rad, r.bottom - rad, rad, vevadur::kPi / 2, vevadur::kPi);
    cairo_arc(m_cr, r.left + rad, r.top + rad, rad, vevadur::kPi, 3 * vevadur::kPi / 2);
    cairo_close_path(m_cr);
    finishPath(style);
}

void CDrawContext::drawEllipse(const CRect& rect, CDrawStyle style)
{
    if (rect.getWidth() <= 0 || rect.getHeight() <= 0) return;
    cairo_new_path(m_cr);
    cairo_save(m_cr);
    cairo_translate(m_cr, rect.left + rect.getWidth() / 2, rect.top + rect.getHeight() / 2);
    cairo_scale(m_cr, rect.getWidth() / 2, rect.getHeight() / 2);
    cairo_arc(m_cr, 0, 0, 1, 0, 2 * vevadur::kPi);
    cairo_restore(m_cr);
    finishPath(style);
}

void CDrawContext::drawPolygon(const PointList& points, CDrawStyle style)
{
    if (points.size() < 2) return;
    cairo_new_path(m_cr);
    cairo_move_to(m_cr, points[0].x, points[0].y);
    for (size_t i = 1; i < points.size(); ++i)
        cairo_line_to(m_cr, points[i].x, points[i].y);
    if (style != kDrawStroked) cairo_close_path(m_cr);
    finishPath(style);
}

void CDrawContext::drawString(const std::string& text, const CRect& rect, CHoriTxtAlign align,
                              bool antialias)
{
    if (!m_textRenderer) return;
    m_textRenderer->drawString(m_cr, text, m_state.font, rect, align, antialias, m_state.fontColor,
                               m_state.globalAlpha);
}

CCoord CDrawContext::getStringWidth(const std::string& text)
{
    return m_textRenderer ? m_textRenderer->getStringWidth(text, m_state.font) : 0;
}

void CDrawContext::drawBitmap(CBitmap* bitmap, const CRect& dest, const CPoint& offset, float alpha)
{
    if (bitmap) bitmap->draw(this, dest, offset, alpha * m_state.globalAlpha);
}

void CDrawContext::clearRect(const CRect& rect)
{
    cairo_save(m_cr);
    cairo_set_operator(m_cr, CAIRO_OPERATOR_CLEAR);
    cairo_rectangle(m_cr, rect.left, rect.top, rect.getWidth(), rect.getHeight());
    cairo_fill(m_cr);
    cairo_restore(m_cr);
}

void CDrawContext::setClipRect(const CRect& clip)
{
    cairo_rectangle(m_cr, clip.left, clip.top, clip.getWidth(), clip.getHeight());
    cairo_clip(m_cr);
}

CRect CDrawContext::getClipRect() const
{
    double x1 = 0;
    double y1 = 0;
    double x2 = 0;
    double y2 = 0;
    cairo_clip_extents(m_cr, &x1, &y1, &x2, &y2);
    return CRect(x1, y1, x2, y2);
}

void CDrawContext::saveGlobalState()
{
    m_stack.push_back(m_state);
    cairo_save(m_cr);
}

void CDrawContext::restoreGlobalState()
{
    if (m_stack.empty()) return;
    m_state = m_stack.back();
    m_stack.pop_back();
    cairo_restore(m_cr);
}

void CDrawContext::translate(CCoord dx, CCoord dy)
{
    cairo_translate(m_cr, dx, dy);
}
} // namespace VSTGUI
