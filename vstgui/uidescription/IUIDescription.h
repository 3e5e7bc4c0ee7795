#pragma once

#include "vstgui/CColor.h"
#include "vstgui/CFontDesc.h"

#include <string>

namespace VSTGUI
{
// What views and controllers may ask of a UI description while it builds them.
class IUIDescription
{
  public:
    virtual ~IUIDescription() = default;

    // A bitmap of the document's list (owned by the description), or null.
    virtual CBitmap* getBitmap(UTF8StringPtr name) const = 0;
    // A document font or a built-in "~ " font.
    virtual bool getFont(UTF8StringPtr name, CFontDesc& font) const = 0;
    // A document colour, a built-in "~ " colour, or a "#rrggbb[aa]" literal.
    virtual bool getColor(UTF8StringPtr name, CColor& color) const = 0;
    // The tag of a control-tag name (the controller may change it); -1 when unknown.
    virtual int32_t getTagForName(UTF8StringPtr name) const = 0;
    // The listener for controls of a control-tag name: the controller building the views.
    virtual IControlListener* getControlListener(UTF8StringPtr name) const = 0;
    virtual IController* getController() const = 0;
    // The attributes of a custom-section entry, or null.
    virtual const UIAttributes* getCustomAttributes(UTF8StringPtr name) const = 0;
    // The name of a tag in the control-tag table, or empty text.
    virtual std::string lookupControlTagName(int32_t tag) const = 0;
};
} // namespace VSTGUI
