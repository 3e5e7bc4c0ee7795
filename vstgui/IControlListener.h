#pragma once

#include "vstgui/VSTGUIFwd.h"

namespace VSTGUI
{
// Told by a control when the user changes it, and when an edit gesture starts and ends.
class IControlListener
{
  public:
    virtual ~IControlListener() = default;
    virtual void valueChanged(CControl* control) = 0;
    virtual void controlBeginEdit(CControl* /*control*/) {}
    virtual void controlEndEdit(CControl* /*control*/) {}
};
} // namespace VSTGUI
