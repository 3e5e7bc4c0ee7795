#pragma once

#include "vstgui/CView.h"
#include "vstgui/IControlListener.h"

namespace VSTGUI
{
// A view with a value in [min, max], a tag that names what it controls, and a listener that
// hears the user's changes (valueChanged) framed by beginEdit/endEdit.
class CControl : public CView
{
  public:
    CControl(const CRect& size, IControlListener* listener = nullptr, int32_t tag = -1,
             CBitmap* background = nullptr);

    // Bounded to [min, max].
    virtual void setValue(float value);
    float getValue() const { return m_value; }
    virtual void setValueNormalized(float normalized);
    float getValueNormalized() const;
    // A new range moves what the value shows: the control is dirty then.
    virtual void setMin(float value);
    float getMin() const { return m_min; }
    virtual void setMax(float value);
    float getMax() const { return m_max; }
    float getRange() const { return m_max - m_min; }
    void setDefaultValue(float value) { m_default = value; }
    float getDefaultValue() const { return m_default; }
    void setOldValue(float value) { m_oldValue = value; }
    float getOldValue() const { return m_oldValue; }
    void setWheelInc(float value) { m_wheelInc = value; }
    float getWheelInc() const { return m_wheelInc; }
    void bounceValue();

    void setTag(int32_t tag) { m_tag = tag; }
    int32_t getTag() const { return m_tag; }
    void setListener(IControlListener* listener) { m_listener = listener; }
    IControlListener* getListener() const { return m_listener; }

    // Offset into the background bitmap ("background-offset").
    void setBackOffset(const CPoint& offset) { m_backOffset = offset; }
    const CPoint& getBackOffset() const { return m_backOffset; }

    // Tells the listener about a user change.
    virtual void valueChanged();
    // Edit gestures nest; the listener hears only the outermost begin and end.
    virtual void beginEdit();
    virtual void endEdit();
    bool isEditing() const { return m_editing > 0; }

    // A ctrl-click resets the control to its default value, as one complete edit.
    bool checkDefaultValue(const CButtonState& buttons);

    // Dirty while the value differs from the one last drawn.
    void setDirty(bool state = true) override;
    bool isDirty() const override;

  protected:
    CControl(const CControl& other);

    float m_value = 0.f;
    float m_oldValue = 1.f;
    float m_default = 0.5f;
    float m_min = 0.f;
    float m_max = 1.f;
    float m_wheelInc = 0.1f;

  private:
    IControlListener* m_listener;
    int32_t m_tag;
    int32_t m_editing = 0;
    CPoint m_backOffset;
};
} // namespace VSTGUI
