#pragma once

#include "vstgui/CBitmap.h"
#include "vstgui/CColor.h"
#include "vstgui/CRect.h"
#include "vstgui/uidescription/IUIDescription.h"
#include "vstgui/uidescription/UIAttributes.h"

#include <cstdint>

namespace Steinberg::Vst::Veru2ZOR3
{
// "x,y" as two leading base-10 integers (blanks before each number skipped, reading stops at
// the first non-digit), so "15 ,15" and "303, 588" both read. Without a comma nothing is read
// and point keeps its value; false then.
bool parsePoint(const char* text, VSTGUI::CPoint& point);
// The leading base-10 integer of a text (blanks skipped, clamped to 32 bits); 0 for none.
int32_t parseInteger(const char* text);
// The leading decimal number of a text; 0 for none or for an infinite or undefined number.
double parseDecimal(const char* text);

// The attributes of one custom view as the framework reads them: texts, integers, points,
// bitmap resources and colours, each with the value a missing attribute stands for.
class CustomViewAttributes
{
  public:
    CustomViewAttributes(const VSTGUI::UIAttributes& attributes,
                         const VSTGUI::IUIDescription* description);

    const VSTGUI::IUIDescription* getDescription() const { return m_pDescription; }

    // The text of an attribute, or null when it is absent.
    const char* text(const char* name) const;
    bool isPresent(const char* name) const { return text(name) != nullptr; }
    bool hasText(const char* name) const;
    // True only for the text "true".
    bool isTrue(const char* name) const;
    // 0 when absent.
    int32_t integer(const char* name) const;
    // (0, 0) when absent or without a comma.
    VSTGUI::CPoint point(const char* name) const;
    // From "origin" and "size".
    VSTGUI::CRect viewRect() const;

    // The bitmap resource the attribute names, with ".png" appended, from the document's
    // folder; none when the attribute is absent or empty or the file cannot be read.
    VSTGUI::SharedPointer<VSTGUI::CBitmap> bitmap(const char* name) const;
    // The colour the attribute names; false (colour untouched) when absent or unknown.
    bool resolveColour(const char* name, VSTGUI::CColor& colour) const;
    // The description's tag and listener for the attribute's control-tag name.
    int32_t tag(const char* name) const;
    VSTGUI::IControlListener* listener(const char* name) const;

  private:
    const VSTGUI::UIAttributes& m_Attributes;
    const VSTGUI::IUIDescription* m_pDescription;
};
} // namespace Steinberg::Vst::Veru2ZOR3
