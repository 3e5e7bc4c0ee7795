#pragma once

#include "vstgui/CColor.h"
#include "vstgui/CControl.h"
#include "vstgui/CFontDesc.h"

#include <functional>
#include <string>

namespace VSTGUI
{
enum CParamDisplayStyle : int32_t
{
    k3DIn = 1 << 0,
    k3DOut = 1 << 1,
    kShadowText = 1 << 2,
    kNoTextStyle = 1 << 3,
    kNoDrawStyle = 1 << 4,
    kRoundRectStyle = 1 << 5,
    kNoFrame = 1 << 6
};

// Shows a control's value as text on a plain, framed or rounded background.
class CParamDisplay : public CControl
{
  public:
    // Turns a value into its text; false lets the display print the number itself.
    using ValueToStringFunction =
        std::function<bool(float value, std::string& text, CParamDisplay* display)>;

    CParamDisplay(const CRect& size, CBitmap* background = nullptr, int32_t style = 0);

    void setFont(const CFontDesc& font) { m_font = font; }
    const CFontDesc& getFont() const { return m_font; }
    void setFontColor(const CColor& color) { m_fontColor = color; }
    const CColor& getFontColor() const { return m_fontColor; }
    void setBackColor(const CColor& color) { m_backColor = color; }
    const CColor& getBackColor() const { return m_backColor; }
    void setFrameColor(const CColor& color) { m_frameColor = color; }
    const CColor& getFrameColor() const { return m_frameColor; }
    void setShadowColor(const CColor& color) { m_shadowColor = color; }
    const CColor& getShadowColor() const { return m_shadowColor; }
    void setHoriAlign(CHoriTxtAlign align) { m_horiAlign = align; }
    CHoriTxtAlign getHoriAlign() const { return m_horiAlign; }
    void setTextInset(const CPoint& inset) { m_textInset = inset; }
    const CPoint& getTextInset() const { return m_textInset; }
    void setStyle(int32_t style) { m_style = style; }
    int32_t getStyle() const { return m_style; }
    void setRoundRectRadius(CCoord radius) { m_roundRectRadius = radius; }
    CCoord getRoundRectRadius() const { return m_roundRectRadius; }
    void setFrameWidth(CCoord width) { m_frameWidth = width; }
    CCoord getFrameWidth() const { return m_frameWidth; }
    void setPrecision(uint8_t precision) { m_precision = precision; }
    uint8_t getPrecision() const { return m_precision; }
    void setAntialias(bool state) { m_antialias = state; }
    bool getAntialias() const { return m_antialias; }
    void setValueToStringFunction(ValueToStringFunction function)
    {
        m_valueToString = std::move(function);
    }

    // The text the display shows for a value.
    std::string valueToString(float value);

    void draw(CDrawContext* context) override;

  protected:
    CParamDisplay(const CParamDisplay& other) = default;
    virtual void drawBack(CDrawContext* context, CBitmap* newBack = nullptr);
    virtual void drawPlatformText(CDrawContext* context, const std::string& text);
    void draw3DFrame(CDrawContext* context) const;

  private:
    ValueToStringFunction m_valueToString;
    CFontDesc m_font = kSystemFont;
    CColor m_fontColor = kWhiteCColor;
    CColor m_backColor = kBlackCColor;
    CColor m_frameColor = kBlackCColor;
    CColor m_shadowColor = kRedCColor;
    CHoriTxtAlign m_horiAlign = kCenterText;
    CPoint m_textInset;
    int32_t m_style;
    CCoord m_roundRectRadius = 6;
    CCoord m_frameWidth = 1;
    uint8_t m_precision = 2;
    bool m_antialias = true;
};
} // namespace VSTGUI
