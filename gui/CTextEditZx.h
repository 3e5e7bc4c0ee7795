#pragma once

#include "vstgui/CTextEdit.h"

#include <string>

// A text edit that shows its units after every text it is given, whether a value's text or
// what the user typed: "0.50" with units "dB" reads "0.50 dB". (Global namespace, as the
// framework has always declared it.)
class CTextEditZx : public VSTGUI::CTextEdit
{
  public:
    CTextEditZx(const VSTGUI::CRect& size, VSTGUI::IControlListener* listener, int32_t tag,
                VSTGUI::UTF8StringPtr text = nullptr, VSTGUI::CBitmap* background = nullptr,
                int32_t style = 0);
    ~CTextEditZx() override;

    // Stored without leading and trailing blanks; shown from the next setText on.
    void setUnits(const std::string& units);
    const std::string& getUnits() const { return m_Units; }

    void setText(const std::string& text) override;
    VSTGUI::CView* newCopy() const override;

  protected:
    CTextEditZx(const CTextEditZx& other) = default;

  private:
    std::string m_Units;
};
