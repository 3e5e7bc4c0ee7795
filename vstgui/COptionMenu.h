#pragma once

#include "vstgui/CParamDisplay.h"

#include <string>
#include <vector>

namespace VSTGUI
{
// A display that shows the current entry of a list and opens the list as a popup when clicked.
// Its value is the entry index; choosing an entry is one complete edit.
class COptionMenu : public CParamDisplay
{
  public:
    enum MenuStyle : int32_t
    {
        kPopupStyle = 1 << 16, // the popup opens over the menu, the current entry in place
        kCheckStyle = 1 << 17  // the current entry carries a check mark
    };

    COptionMenu(const CRect& size, IControlListener* listener = nullptr, int32_t tag = -1,
                CBitmap* background = nullptr, int32_t style = 0);

    // An entry titled "-" is a separator. Adding entries extends the value range to them.
    void addEntry(const std::string& title);
    void removeAllEntry();
    int32_t getNbEntries() const { return static_cast<int32_t>(m_entries.size()); }
    // The entry's title, or empty text for an index out of range.
    std::string getEntry(int32_t index) const;
    int32_t getCurrentIndex() const;
    bool setCurrent(int32_t index);
    int32_t getLastResult() const { return m_lastResult; }

    // Opens the popup on the frame; false without a frame or entries.
    bool popup();
    bool isPopupOpen() const { return m_popupOpen; }
    // Called by the popup: the chosen entry, or -1 when it closed without a choice.
    void popupClosed(int32_t index);

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CView* newCopy() const override { return new COptionMenu(*this); }

  protected:
    COptionMenu(const COptionMenu& other) = default;

  private:
    std::vector<std::string> m_entries;
    int32_t m_lastResult = -1;
    bool m_popupOpen = false;
};
} // namespace VSTGUI
