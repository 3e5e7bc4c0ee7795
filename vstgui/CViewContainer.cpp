#include "vstgui/CViewContainer.h"

#include "vstgui/CDrawContext.h"
#include "vstgui/CFrame.h"

#include <algorithm>

namespace VSTGUI
{
CViewContainer::CViewContainer(const CRect& size) : CView(size) {}

CViewContainer::~CViewContainer()
{
    removeAll(true);
}

bool CViewContainer::addView(CView* view)
{
    if (!view || isChild(view)) return false;
    m_children.push_back(view);
    if (isAttached() || getFrame() == this) view->attached(this);
    view->invalid();
    return true;
}

bool CViewContainer::removeView(CView* view, bool withForget)
{
    auto it = std::find(m_children.begin(), m_children.end(), view);
    if (it == m_children.end()) return false;
    view->invalid();
    if (m_mouseDownView == view) m_mouseDownView = nullptr;
    m_children.erase(it);
    if (view->isAttached()) view->removed(this);
    if (withForget) view->forget();
    return true;
}

void CViewContainer::removeAll(bool withForget)
{
    while (!m_children.empty())
        removeView(m_children.back(), withForget);
}

CView* CViewContainer::getView(size_t index) const
{
    return index < m_children.size() ? m_children[index] : nullptr;
}

bool CViewContainer::isChild(const CView* view) const
{
    return std::find(m_children.begin(), m_children.end(), view) != m_children.end();
}

CPoint CViewContainer::toLocal(const CPoint& where) const
{
    return CPoint(where.x - getViewSize().left, where.y - getViewSize().top);
}

CView* CViewContainer::getViewAt(const CPoint& where, bool deep) const
{
    CPoint local = toLocal(where);
    for (auto it = m_children.rbegin(); it != m_children.rend(); ++it)
    {
        CView* child = *it;
        if (!child->isVisible() || !child->getViewSize().pointInside(local)) continue;
        if (deep)
            if (auto* container = dynamic_cast<CViewContainer*>(child))
                if (CView* inner = container->getViewAt(local, true)) return inner;
        return child;
    }
    return nullptr;
}

void CViewContainer::drawBackgroundRect(CDrawContext* context, const CRect& rect)
{
    // A background bitmap is drawn whatever the transparency; the colour only stands in for a
    // missing bitmap on an opaque container.
    if (CBitmap* background = getDrawBackground())
    {
        background->draw(context, rect);
        return;
    }
    if (getTransparency()) return;
    ScopedDrawState state(*context);
    context->setFillColor(m_backgroundColor);
    context->setFrameColor(m_backgroundColor);
    context->setLineWidth(1);
    context->setDrawMode(kAliasing);
    context->drawRect(rect, m_backgroundStyle);
}

void CViewContainer::draw(CDrawContext* context)
{
    drawRect(context, getViewSize());
}

void CViewContainer::drawRect(CDrawContext* context, const CRect& updateRect)
{
    ScopedDrawState state(*context);
    const CRect& size = getViewSize();
    context->setClipRect(size);
    context->translate(size.left, size.top);
    context->setGlobalAlpha(context->getGlobalAlpha() * getAlphaValue());

    CRect local(0, 0, size.getWidth(), size.getHeight());
    CRect update = updateRect;
    update.offset(-size.left, -size.top).bound(local);
    drawBackgroundRect(context, local);
    for (CView* child : m_children)
        if (child->isVisible() && child->getViewSize().rectOverlap(update))
            drawChild(context, child, update);
    setDirty(false);
}

void CViewContainer::drawChild(CDrawContext* context, CView* child, const CRect& updateRect)
{
    // A view draws inside its own rectangle only: a stroke or an anti-aliased edge of the back
    // end that strays beyond it would stay on screen when the view alone is repainted.
    ScopedDrawState state(*context);
    context->setClipRect(child->getViewSize());
    child->drawRect(context, updateRect);
}

CMouseEventResult CViewContainer::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    CPoint local = toLocal(where);
    for (auto it = m_children.rbegin(); it != m_children.rend(); ++it)
    {
        CView* child = *it;
        if (!child->isVisible() || !child->getMouseEnabled() || !child->hitTest(local, buttons))
            continue;
        if (CFrame* frame = getFrame())
            if (child->wantsFocus()) frame->setFocusView(child);
        CPoint childWhere = local;
        CMouseEventResult result = child->onMouseDown(childWhere, buttons);
        if (result == kMouseEventNotHandled || result == kMouseEventNotImplemented) continue;
        if (result == kMouseEventHandled) m_mouseDownView = child;
        return result;
    }
    return kMouseEventNotHandled;
}

CMouseEventResult CViewContainer::onMouseUp(CPoint& where, const CButtonState& buttons)
{
    CView* view = m_mouseDownView;
    if (!view) return kMouseEventNotHandled;
    m_mouseDownView = nullptr;
    CPoint local = toLocal(where);
    view->remember();
    view->onMouseUp(local, buttons);
    view->forget();
    return kMouseEventHandled;
}

CMouseEventResult CViewContainer::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    CView* view = m_mouseDownView;
    if (!view) return kMouseEventNotHandled;
    CPoint local = toLocal(where);
    CMouseEventResult result = view->onMouseMoved(local, buttons);
    if (result == kMouseMoveEventHandledButDontNeedMoreEvents && m_mouseDownView == view)
        m_mouseDownView = nullptr;
    return result;
}

bool CViewContainer::onWheel(const CPoint& where, const float& distance,
                             const CButtonState& buttons)
{
    CPoint local = toLocal(where);
    for (auto it = m_children.rbegin(); it != m_children.rend(); ++it)
    {
        CView* child = *it;
        if (child->isVisible() && child->getMouseEnabled() && child->hitTest(local, buttons) &&
            child->onWheel(local, distance, buttons))
            return true;
    }
    return false;
}

void CViewContainer::invalid()
{
    invalidRect(CRect(0, 0, getWidth(), getHeight()));
}

void CViewContainer::invalidRect(const CRect& rect)
{
    if (!getParentView() || !isVisible()) return;
    CRect r = rect;
    r.offset(getViewSize().left, getViewSize().top).bound(getViewSize());
    getParentView()->invalidRect(r);
}

bool CViewContainer::attached(CView* parent)
{
    if (!CView::attached(parent)) return false;
    for (CView* child : m_children)
        child->attached(this);
    return true;
}

bool CViewContainer::removed(CView* parent)
{
    for (CView* child : m_children)
        child->removed(this);
    m_mouseDownView = nullptr;
    return CView::removed(parent);
}

} // namespace VSTGUI
