#pragma once

#include "vstgui/VSTGUIFwd.h"

#include <string>

namespace VSTGUI
{
// Creates views by VSTGUI class name and applies UI-description attributes to them.
class UIViewFactory
{
  public:
    // A view of the attributes' "class" with a zero rectangle, or null for an unknown class.
    CView* createView(const UIAttributes& attributes, const IUIDescription* description) const;
    // Applies every attribute that the view's classes understand; others are ignored.
    void applyAttributes(CView* view, const UIAttributes& attributes,
                         const IUIDescription* description) const;
    static bool isKnownClass(const std::string& className);

  private:
    void applyViewAttributes(CView* view, const UIAttributes& a, const IUIDescription* d) const;
    void applyContainerAttributes(CView* view, const UIAttributes& a,
                                  const IUIDescription* d) const;
    void applyControlAttributes(CView* view, const UIAttributes& a, const IUIDescription* d) const;
    void applyDisplayAttributes(CView* view, const UIAttributes& a, const IUIDescription* d) const;
    void applyKnobAttributes(CView* view, const UIAttributes& a, const IUIDescription* d) const;
    void applyOtherControlAttributes(CView* view, const UIAttributes& a,
                                     const IUIDescription* d) const;
};
} // namespace VSTGUI
