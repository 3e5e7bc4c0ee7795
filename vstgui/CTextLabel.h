#pragma once

#include "vstgui/CParamDisplay.h"

namespace VSTGUI
{
// A display that shows a text of its own ("title") instead of its value.
class CTextLabel : public CParamDisplay
{
  public:
    CTextLabel(const CRect& size, UTF8StringPtr text = nullptr, CBitmap* background = nullptr,
               int32_t style = 0);

    virtual void setText(const std::string& text);
    virtual const std::string& getText() const { return m_text; }

    void draw(CDrawContext* context) override;
    CView* newCopy() const override { return new CTextLabel(*this); }

  protected:
    CTextLabel(const CTextLabel& other) = default;

  private:
    std::string m_text;
};
} // namespace VSTGUI
