#include "vstgui/COptionMenuPopup.h"

#include "vstgui/CDrawContext.h"
#include "vstgui/CFrame.h"

#include <algorithm>

namespace VSTGUI
{
namespace
{
constexpr CCoord kTextInset = 18;
} // namespace

COptionMenuPopup::COptionMenuPopup(COptionMenu* menu)
    : CView(CRect()), m_menu(menu), m_highlighted(menu->getCurrentIndex())
{
}

bool COptionMenuPopup::attached(CView* parent)
{
    if (!CView::attached(parent)) return false;
    CFrame* frame = getFrame();
    COptionMenu* menu = m_menu.get();
    CPoint origin = menu->getViewSize().getTopLeft();
    menu->localToFrame(origin);
    CCoord width = menu->getWidth();
    for (int32_t i = 0; i < menu->getNbEntries(); ++i)
        width = std::max(
            width, frame->getTextRenderer().getStringWidth(menu->getEntry(i), menu->getFont()) +
                       2 * kTextInset);
    CCoord height = kRowHeight * menu->getNbEntries();
    CCoord top = origin.y + menu->getHeight();
    if (menu->getStyle() & COptionMenu::kPopupStyle)
        top = origin.y - kRowHeight * std::max(0, menu->getCurrentIndex());
    // Keep the list inside the frame where it fits.
    top = std::min(top, frame->getHeight() - height);
    CCoord left = std::min(origin.x, frame->getWidth() - width);
    setViewSize(CRect(std::max<CCoord>(0, left), std::max<CCoord>(0, top),
                      std::max<CCoord>(0, left) + width, std::max<CCoord>(0, top) + height),
                false);
    invalid();
    return true;
}

CRect COptionMenuPopup::entryRect(int32_t index) const
{
    CRect r = getViewSize();
    r.top += index * kRowHeight;
    r.bottom = r.top + kRowHeight;
    return r;
}

int32_t COptionMenuPopup::entryAt(const CPoint& where) const
{
    if (!getViewSize().pointInside(where)) return -1;
    auto index = static_cast<int32_t>((where.y - getViewSize().top) / kRowHeight);
    return index < m_menu->getNbEntries() ? index : -1;
}

void COptionMenuPopup::draw(CDrawContext* context)
{
    ScopedDrawState state(*context);
    COptionMenu* menu = m_menu.get();
    context->setFillColor(CColor(245, 245, 245));
    context->setFrameColor(CColor(60, 60, 60));
    context->setLineWidth(1);
    context->drawRect(getViewSize(), kDrawFilledAndStroked);
    context->setFont(menu->getFont());
    for (int32_t i = 0; i < menu->getNbEntries(); ++i)
    {
        CRect row = entryRect(i);
        std::string title = menu->getEntry(i);
        if (title == "-")
        {
            context->setFrameColor(CColor(180, 180, 180));
            context->drawLine(CPoint(row.left + 4, row.top + kRowHeight / 2),
                              CPoint(row.right - 4, row.top + kRowHeight / 2));
            continue;
        }
        bool highlighted = i == m_highlighted;
        if (highlighted)
        {
            context->setFillColor(CColor(50, 90, 160));
            context->drawRect(CRect(row).inset(1, 0), kDrawFilled);
        }
        context->setFontColor(highlighted ? kWhiteCColor : kBlackCColor);
        if ((menu->getStyle() & COptionMenu::kCheckStyle) && i == menu->getCurrentIndex())
            context->drawString("\u2713",
                                CRect(row.left, row.top, row.left + kTextInset, row.bottom));
        context->drawString(title, CRect(row.left + kTextInset, row.top, row.right - 4, row.bottom),
                            kLeftText);
    }
    setDirty(false);
}

void COptionMenuPopup::close(int32_t index)
{
    // Removing the modal view releases this popup: keep the menu alive past it.
    SharedPointer<COptionMenu> menu = m_menu;
    if (CFrame* frame = getFrame()) frame->setModalView(nullptr);
    menu->popupClosed(index);
}

CMouseEventResult COptionMenuPopup::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!(buttons & (kLButton | kRButton))) return kMouseEventHandled;
    close(entryAt(where));
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

CMouseEventResult COptionMenuPopup::onMouseMoved(CPoint& where, const CButtonState&)
{
    int32_t index = entryAt(where);
    if (index >= 0 && index != m_highlighted)
    {
        m_highlighted = index;
        invalid();
    }
    return kMouseEventHandled;
}

void COptionMenuPopup::moveHighlight(int32_t step)
{
    int32_t count = m_menu->getNbEntries();
    int32_t index = m_highlighted;
    for (int32_t tries = 0; tries < count; ++tries)
    {
        index = (index + step + count) % count;
        if (m_menu->getEntry(index) != "-") break;
    }
    m_highlighted = index;
    invalid();
}

int32_t COptionMenuPopup::onKeyDown(VstKeyCode& keyCode)
{
    switch (keyCode.virt)
    {
    case VKEY_UP:
        moveHighlight(-1);
        return 1;
    case VKEY_DOWN:
        moveHighlight(1);
        return 1;
    case VKEY_RETURN:
    case VKEY_ENTER:
        close(m_highlighted);
        return 1;
    case VKEY_ESCAPE:
        close(-1);
        return 1;
    default:
        return -1;
    }
}
} // namespace VSTGUI
