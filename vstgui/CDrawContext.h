#pragma once

#include "vstgui/CColor.h"
#include "vstgui/CFontDesc.h"
#include "vstgui/CRect.h"

#include <string>
#include <vector>

#include "vstgui/NativeDrawing.h"

namespace VSTGUI
{
class TextRenderer;

// Everything a view draws goes through this: a cairo context with VSTGUI's drawing state
// (colours, line width, font, draw mode, global alpha) and a translation stack. Views draw in
// layout pixels; at a screen scale the context maps them onto scale x scale device pixels, so
// shapes and text are drawn at the device's resolution.
class CDrawContext
{
  public:
    using PointList = std::vector<CPoint>;

    // Draws on cr (not owned) at the given screen scale; text goes through textRenderer, or is
    // skipped without one.
    CDrawContext(NativeDrawingContext* cr, TextRenderer* textRenderer, double scaleFactor = 1);
    virtual ~CDrawContext() = default;
    CDrawContext(const CDrawContext&) = delete;
    CDrawContext& operator=(const CDrawContext&) = delete;

    void setLineWidth(CCoord width) { m_state.lineWidth = width; }
    CCoord getLineWidth() const { return m_state.lineWidth; }
    void setDrawMode(CDrawMode mode) { m_state.drawMode = mode; }
    CDrawMode getDrawMode() const { return m_state.drawMode; }
    void setFillColor(const CColor& c) { m_state.fillColor = c; }
    CColor getFillColor() const { return m_state.fillColor; }
    void setFrameColor(const CColor& c) { m_state.frameColor = c; }
    CColor getFrameColor() const { return m_state.frameColor; }
    void setFontColor(const CColor& c) { m_state.fontColor = c; }
    CColor getFontColor() const { return m_state.fontColor; }
    void setFont(const CFontDesc& font) { m_state.font = font; }
    const CFontDesc& getFont() const { return m_state.font; }
    void setGlobalAlpha(float alpha) { m_state.globalAlpha = alpha; }
    float getGlobalAlpha() const { return m_state.globalAlpha; }

    void drawLine(const CPoint& start, const CPoint& end);
    void drawRect(const CRect& rect, CDrawStyle style = kDrawStroked);
    void drawRoundRect(const CRect& rect, CCoord radius, CDrawStyle style = kDrawStroked);
    void drawEllipse(const CRect& rect, CDrawStyle style = kDrawStroked);
    void drawPolygon(const PointList& points, CDrawStyle style = kDrawStroked);
    void drawString(const std::string& text, const CRect& rect, CHoriTxtAlign align = kCenterText,
                    bool antialias = true);
    CCoord getStringWidth(const std::string& text);
    // Draws the part of bitmap that starts at offset into dest, at the given opacity.
    void drawBitmap(CBitmap* bitmap, const CRect& dest, const CPoint& offset = CPoint(),
                    float alpha = 1.f);

    // Makes the rectangle fully transparent, within the current clip.
    void clearRect(const CRect& rect);

    // Clipping, in the current (translated) coordinates; setClipRect narrows the current clip.
    void setClipRect(const CRect& clip);
    CRect getClipRect() const;

    // State stack: colours, font, line width, clip and translation are saved and restored.
    void saveGlobalState();
    void restoreGlobalState();
    void translate(CCoord dx, CCoord dy);

    NativeDrawingContext* getNativeContext() const { return m_cr; }
    TextRenderer* getTextRenderer() const { return m_textRenderer; }
    // Device pixels per layout pixel (bitmaps pick their image by it).
    double getScaleFactor() const { return m_scaleFactor; }

  private:
    struct State
    {
        CColor fillColor = kWhiteCColor;
        CColor frameColor = kBlackCColor;
        CColor fontColor = kBlackCColor;
        CFontDesc font = kSystemFont;
        CCoord lineWidth = 1;
        CDrawMode drawMode = kAliasing;
        float globalAlpha = 1.f;
        unsigned nativeState = 0; // the back end's own saved state, where it has one
    };
    void setSource(const CColor& color);
    void finishPath(CDrawStyle style);
    bool isPixelAligned() const;

    NativeDrawingContext* m_cr;
    TextRenderer* m_textRenderer;
    double m_scaleFactor;
    State m_state;
    std::vector<State> m_stack;
};

// Saves the context's state on construction and restores it on destruction.
class ScopedDrawState
{
  public:
    explicit ScopedDrawState(CDrawContext& context) : m_context(context)
    {
        m_context.saveGlobalState();
    }
    ~ScopedDrawState() { m_context.restoreGlobalState(); }
    ScopedDrawState(const ScopedDrawState&) = delete;
    ScopedDrawState& operator=(const ScopedDrawState&) = delete;

  private:
    CDrawContext& m_context;
};
} // namespace VSTGUI
