#pragma once

#include "vstgui/CTextLabel.h"

#include <string>

namespace VSTGUI
{
// A label that shows its units after every text it is given: "0.50" with units "dB" reads
// "0.50 dB".
class CTextLabelZx : public CTextLabel
{
  public:
    CTextLabelZx(const CRect& size, UTF8StringPtr text = nullptr, CBitmap* background = nullptr,
                 int32_t style = 0);
    ~CTextLabelZx() override;

    // Stored without leading and trailing blanks; shown from the next setText on.
    void setUnits(const std::string& units);
    const std::string& getUnits() const { return m_Units; }

    void setText(const std::string& text) override;
    const std::string& getText() const override;
    CView* newCopy() const override;

  protected:
    CTextLabelZx(const CTextLabelZx& other) = default;

  private:
    std::string m_Units;
};
} // namespace VSTGUI
