#pragma once

#include "vstgui/CTextLabel.h"

namespace VSTGUI
{
// A label the user can type into. A click gives it the keyboard focus; Return (or losing the
// focus) commits the typed text as one edit, Escape drops it.
class CTextEdit : public CTextLabel
{
  public:
    // Turns typed text into a value; false leaves the value as it is.
    using StringToValueFunction =
        std::function<bool(const std::string& text, float& value, CTextEdit* edit)>;

    CTextEdit(const CRect& size, IControlListener* listener, int32_t tag,
              UTF8StringPtr text = nullptr, CBitmap* background = nullptr, int32_t style = 0);

    void setStringToValueFunction(StringToValueFunction function)
    {
        m_stringToValue = std::move(function);
    }
    void setImmediateTextChange(bool state) { m_immediateTextChange = state; }
    bool getImmediateTextChange() const { return m_immediateTextChange; }

    // The value's text (through the display's value-to-string function) becomes the text.
    void setValue(float value) override;

    bool isTextEditing() const { return m_textEditing; }
    const std::string& getEditText() const { return m_editText; }

    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    int32_t onKeyDown(VstKeyCode& keyCode) override;
    void takeFocus() override;
    void looseFocus() override;
    void draw(CDrawContext* context) override;
    CView* newCopy() const override { return new CTextEdit(*this); }

  protected:
    CTextEdit(const CTextEdit& other);

  private:
    void commit(const std::string& newText);
    void endTextEditing(bool keepText);

    StringToValueFunction m_stringToValue;
    std::string m_editText;
    bool m_textEditing = false;
    bool m_immediateTextChange = false;
};
} // namespace VSTGUI
