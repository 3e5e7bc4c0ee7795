#include "vstgui/COptionMenu.h"

#include "vstgui/CFrame.h"
#include "vstgui/COptionMenuPopup.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI
{
COptionMenu::COptionMenu(const CRect& size, IControlListener* listener, int32_t tag,
                         CBitmap* background, int32_t style)
    : CParamDisplay(size, background, style)
{
    setListener(listener);
    setTag(tag);
    setWantsFocus(false);
}

void COptionMenu::addEntry(const std::string& title)
{
    m_entries.push_back(title);
    setMin(0.f);
    setMax(static_cast<float>(m_entries.size() - 1));
    setDirty();
}

void COptionMenu::removeAllEntry()
{
    m_entries.clear();
    setDirty();
}

std::string COptionMenu::getEntry(int32_t index) const
{
    if (index < 0 || index >= getNbEntries()) return {};
    return m_entries[static_cast<size_t>(index)];
}

int32_t COptionMenu::getCurrentIndex() const
{
    if (m_entries.empty()) return -1;
    auto index = static_cast<int32_t>(std::lround(m_value - getMin()));
    return std::clamp(index, 0, getNbEntries() - 1);
}

bool COptionMenu::setCurrent(int32_t index)
{
    if (index < 0 || index >= getNbEntries()) return false;
    setValue(getMin() + static_cast<float>(index));
    invalid();
    return true;
}

bool COptionMenu::popup()
{
    CFrame* frame = getFrame();
    if (!frame || m_entries.empty() || m_popupOpen) return false;
    auto* view = new COptionMenuPopup(this);
    if (!frame->setModalView(view))
    {
        view->forget();
        return false;
    }
    m_popupOpen = true;
    return true;
}

void COptionMenu::popupClosed(int32_t index)
{
    m_popupOpen = false;
    m_lastResult = index;
    if (index < 0 || index >= getNbEntries() || m_entries[static_cast<size_t>(index)] == "-")
        return;
    beginEdit();
    setValue(getMin() + static_cast<float>(index));
    valueChanged();
    endEdit();
    invalid();
}

void COptionMenu::draw(CDrawContext* context)
{
    if (!(getStyle() & kNoDrawStyle))
    {
        drawBack(context);
        drawPlatformText(context, getEntry(getCurrentIndex()));
    }
    setDirty(false);
}

CMouseEventResult COptionMenu::onMouseDown(CPoint&, const CButtonState& buttons)
{
    if (!(buttons & (kLButton | kRButton))) return kMouseEventNotHandled;
    popup();
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}
} // namespace VSTGUI
