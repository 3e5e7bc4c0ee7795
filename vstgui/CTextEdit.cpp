#include "vstgui/CTextEdit.h"

#include "vstgui/CDrawContext.h"
#include "vstgui/CFrame.h"

namespace VSTGUI
{
namespace
{
void appendUtf8(std::string& text, int32_t codePoint)
{
    auto c = static_cast<uint32_t>(codePoint);
    if (c < 0x80)
    {
        text += static_cast<char>(c);
    }
    else if (c < 0x800)
    {
        text += static_cast<char>(0xC0 | (c >> 6));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
    else if (c < 0x10000)
    {
        text += static_cast<char>(0xE0 | (c >> 12));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
    else if (c < 0x110000)
    {
        text += static_cast<char>(0xF0 | (c >> 18));
        text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void eraseLastUtf8(std::string& text)
{
    while (!text.empty())
    {
        bool continuation = (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80;
        text.pop_back();
        if (!continuation) break;
    }
}
} // namespace

CTextEdit::CTextEdit(const CRect& size, IControlListener* listener, int32_t tag, UTF8StringPtr text,
                     CBitmap* background, int32_t style)
    : CTextLabel(size, text, background, style)
{
    setListener(listener);
    setTag(tag);
    setWantsFocus(true);
}

CTextEdit::CTextEdit(const CTextEdit& other)
    : CTextLabel(other), m_stringToValue(other.m_stringToValue),
      m_immediateTextChange(other.m_immediateTextChange)
{
}

void CTextEdit::setValue(float value)
{
    CTextLabel::setValue(value);
    setText(valueToString(getValue()));
}

CMouseEventResult CTextEdit::onMouseDown(CPoint&, const CButtonState& buttons)
{
    if (!buttons.isLeftButton()) return kMouseEventNotHandled;
    if (CFrame* frame = getFrame())
        if (frame->getFocusView() != this) frame->setFocusView(this);
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

void CTextEdit::takeFocus()
{
    m_textEditing = true;
    m_editText = getText();
    invalid();
}

void CTextEdit::looseFocus()
{
    if (m_textEditing) endTextEditing(true);
}

void CTextEdit::endTextEditing(bool keepText)
{
    m_textEditing = false;
    // The commit may release the last outside reference (a rebuilt editor).
    remember();
    if (keepText) commit(m_editText);
    invalid();
    forget();
}

void CTextEdit::commit(const std::string& newText)
{
    if (newText == getText()) return;
    beginEdit();
    setText(newText);
    float value = 0.f;
    if (m_stringToValue && m_stringToValue(newText, value, this)) setValue(value);
    valueChanged();
    endEdit();
}

int32_t CTextEdit::onKeyDown(VstKeyCode& keyCode)
{
    if (!m_textEditing) return -1;
    if (keyCode.virt == VKEY_RETURN || keyCode.virt == VKEY_ENTER || keyCode.virt == VKEY_TAB)
    {
        if (CFrame* frame = getFrame(); frame && frame->getFocusView() == this)
            frame->setFocusView(nullptr);
        else
            endTextEditing(true);
        return 1;
    }
    if (keyCode.virt == VKEY_ESCAPE)
    {
        m_textEditing = false;
        if (CFrame* frame = getFrame(); frame && frame->getFocusView() == this)
            frame->setFocusView(nullptr);
        invalid();
        return 1;
    }
    if (keyCode.virt == VKEY_BACK)
        eraseLastUtf8(m_editText);
    else if (keyCode.virt == VKEY_SPACE)
        m_editText += ' ';
    else if (keyCode.virt == 0 && keyCode.character >= 0x20)
        appendUtf8(m_editText, keyCode.character);
    else
        return -1;
    if (m_immediateTextChange) commit(m_editText);
    invalid();
    return 1;
}

void CTextEdit::draw(CDrawContext* context)
{
    if (!m_textEditing)
    {
        CTextLabel::draw(context);
        return;
    }
    drawBack(context);
    drawPlatformText(context, m_editText + "|");
    ScopedDrawState state(*context);
    context->setFrameColor(getFontColor());
    context->setLineWidth(1);
    CRect r = getViewSize();
    context->drawRect(r, kDrawStroked);
    setDirty(false);
}
} // namespace VSTGUI
