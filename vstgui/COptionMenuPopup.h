#pragma once

#include "vstgui/COptionMenu.h"

namespace VSTGUI
{
// The open list of an option menu: a modal view on the frame, placed under the menu (or over
// it, current entry in place, with the popup style) and kept inside the frame.
class COptionMenuPopup : public CView
{
  public:
    static constexpr CCoord kRowHeight = 18;

    explicit COptionMenuPopup(COptionMenu* menu);

    COptionMenu* getMenu() const { return m_menu.get(); }
    // The entry under a point in frame coordinates, or -1.
    int32_t entryAt(const CPoint& where) const;
    // The rectangle of an entry, in frame coordinates.
    CRect entryRect(int32_t index) const;
    int32_t getHighlighted() const { return m_highlighted; }

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    int32_t onKeyDown(VstKeyCode& keyCode) override;
    bool attached(CView* parent) override;

  private:
    void close(int32_t index);
    void moveHighlight(int32_t step);

    SharedPointer<COptionMenu> m_menu;
    int32_t m_highlighted;
};
} // namespace VSTGUI
