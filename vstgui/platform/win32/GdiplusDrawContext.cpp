// CDrawContext on a GDI+ Graphics. Pixel centres sit at half coordinates, as in cairo, so the
// same geometry gives the same pixels on both back ends.
#include "vstgui/CDrawContext.h"

#include "vstgui/CBitmap.h"
#include "vstgui/ScaleFactor.h"
#include "vstgui/TextRenderer.h"
#include "vstgui/platform/win32/Gdiplus.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI
{
namespace
{
Gdiplus::Color toColor(const CColor& c, float globalAlpha)
{
    const auto alpha = static_cast<BYTE>(std::lround(c.alpha * std::clamp(globalAlpha, 0.f, 1.f)));
    return Gdiplus::Color(alpha, c.red, c.green, c.blue);
}

Gdiplus::RectF toRectF(const CRect& r)
{
    return Gdiplus::RectF(static_cast<Gdiplus::REAL>(r.left), static_cast<Gdiplus::REAL>(r.top),
                          static_cast<Gdiplus::REAL>(r.getWidth()),
                          static_cast<Gdiplus::REAL>(r.getHeight()));
}

Gdiplus::REAL real(CCoord value)
{
    return static_cast<Gdiplus::REAL>(value);
}
} // namespace

CDrawContext::CDrawContext(NativeDrawingContext* graphics, TextRenderer* textRenderer,
                           double scaleFactor)
    : m_cr(graphics), m_textRenderer(textRenderer), m_scaleFactor(ScaleFactor::valid(scaleFactor))
{
    if (!m_cr) return;
    m_cr->SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    if (m_scaleFactor != 1.0) m_cr->ScaleTransform(real(m_scaleFactor), real(m_scaleFactor));
}

// GDI+ takes colours per brush and pen (paintPath below), not as a current source.
void CDrawContext::setSource(const CColor&) {}

bool CDrawContext::isPixelAligned() const
{
    // Odd line widths sit on pixel centres, so aliased strokes stay one pixel sharp.
    return static_cast<long>(std::lround(m_state.lineWidth)) % 2 == 1;
}

namespace
{
// Fills and/or strokes a path with the context's colours, line width and draw mode.
void paintPath(const CDrawContext& context, const Gdiplus::GraphicsPath& path, CDrawStyle style)
{
    Gdiplus::Graphics& graphics = *context.getNativeContext();
    graphics.SetSmoothingMode(context.getDrawMode() == kAntiAliasing
                                  ? Gdiplus::SmoothingModeAntiAlias
                                  : Gdiplus::SmoothingModeNone);
    if (style == kDrawFilled || style == kDrawFilledAndStroked)
    {
        Gdiplus::SolidBrush brush(toColor(context.getFillColor(), context.getGlobalAlpha()));
        graphics.FillPath(&brush, &path);
    }
    if (style == kDrawStroked || style == kDrawFilledAndStroked)
    {
        Gdiplus::Pen pen(toColor(context.getFrameColor(), context.getGlobalAlpha()),
                         real(context.getLineWidth()));
        graphics.DrawPath(&pen, &path);
    }
}
} // namespace

// Paths are painted as they are built (paintPath); there is no current path to finish.
void CDrawContext::finishPath(CDrawStyle) {}

void CDrawContext::drawLine(const CPoint& start, const CPoint& end)
{
    if (!m_cr) return;
    double shift = (m_state.drawMode == kAliasing && isPixelAligned()) ? 0.5 : 0.0;
    Gdiplus::GraphicsPath path;
    path.AddLine(real(start.x + shift), real(start.y + shift), real(end.x + shift),
                 real(end.y + shift));
    paintPath(*this, path, kDrawStroked);
}

void CDrawContext::drawRect(const CRect& rect, CDrawStyle style)
{
    if (!m_cr) return;
    // A stroke stays inside the rectangle, as a frame does.
    CRect inner = rect;
    inner.inset(m_state.lineWidth / 2, m_state.lineWidth / 2);
    if (style != kDrawStroked)
    {
        Gdiplus::GraphicsPath fill;
        fill.AddRectangle(toRectF(rect));
        paintPath(*this, fill, kDrawFilled);
    }
    if (style != kDrawFilled)
    {
        Gdiplus::GraphicsPath frame;
        frame.AddRectangle(toRectF(inner));
        paintPath(*this, frame, kDrawStroked);
    }
}

void CDrawContext::drawRoundRect(const CRect& rect, CCoord radius, CDrawStyle style)
{
    if (!m_cr) return;
    CRect r = rect;
    if (style != kDrawFilled) r.inset(m_state.lineWidth / 2, m_state.lineWidth / 2);
    double rad = std::max(0.0, std::min(radius, std::min(r.getWidth(), r.getHeight()) / 2));
    Gdiplus::GraphicsPath path;
    if (rad <= 0)
        path.AddRectangle(toRectF(r));
    else
    {
        const auto d = real(2 * rad);
        path.AddArc(real(r.right - 2 * rad), real(r.top), d, d, 270, 90);
        path.AddArc(real(r.right - 2 * rad), real(r.bottom - 2 * rad), d, d, 0, 90);
        path.AddArc(real(r.left), real(r.bottom - 2 * rad), d, d, 90, 90);
        path.AddArc(real(r.left), real(r.top), d, d, 180, 90);
        path.CloseFigure();
    }
    paintPath(*this, path, style);
}

void CDrawContext::drawEllipse(const CRect& rect, CDrawStyle style)
{
    if (!m_cr || rect.getWidth() <= 0 || rect.getHeight() <= 0) return;
    Gdiplus::GraphicsPath path;
    path.AddEllipse(toRectF(rect));
    paintPath(*this, path, style);
}

void CDrawContext::drawPolygon(const PointList& points, CDrawStyle style)
{
    if (!m_cr || points.size() < 2) return;
    std::vector<Gdiplus::PointF> corners;
    for (const CPoint& p : points)
        corners.emplace_back(real(p.x), real(p.y));
    Gdiplus::GraphicsPath path;
    path.AddLines(corners.data(), static_cast<INT>(corners.size()));
    if (style != kDrawStroked) path.CloseFigure();
    paintPath(*this, path, style);
}

void CDrawContext::drawString(const std::string& text, const CRect& rect, CHoriTxtAlign align,
                              bool antialias)
{
    if (!m_textRenderer || !m_cr) return;
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
    if (!m_cr) return;
    const Gdiplus::GraphicsState state = m_cr->Save();
    m_cr->SetClip(toRectF(rect), Gdiplus::CombineModeIntersect);
    m_cr->Clear(Gdiplus::Color(0, 0, 0, 0));
    m_cr->Restore(state);
}

void CDrawContext::setClipRect(const CRect& clip)
{
    if (m_cr) m_cr->SetClip(toRectF(clip), Gdiplus::CombineModeIntersect);
}

CRect CDrawContext::getClipRect() const
{
    Gdiplus::RectF bounds;
    if (!m_cr || m_cr->GetClipBounds(&bounds) != Gdiplus::Ok) return CRect();
    return CRect(bounds.X, bounds.Y, bounds.X + bounds.Width, bounds.Y + bounds.Height);
}

void CDrawContext::saveGlobalState()
{
    State saved = m_state;
    if (m_cr) saved.nativeState = m_cr->Save();
    m_stack.push_back(saved);
}

void CDrawContext::restoreGlobalState()
{
    if (m_stack.empty()) return;
    m_state = m_stack.back();
    m_stack.pop_back();
    if (m_cr) m_cr->Restore(m_state.nativeState);
}

void CDrawContext::translate(CCoord dx, CCoord dy)
{
    if (m_cr) m_cr->TranslateTransform(real(dx), real(dy));
}
} // namespace VSTGUI
