#include "vstgui/CView.h"

#include "vstgui/CDrawContext.h"
#include "vstgui/CFrame.h"
#include "vstgui/IController.h"

namespace VSTGUI
{
CView::CView(const CRect& size) : m_size(size) {}

CView::CView(const CView& other)
    : CBaseObject(), m_size(other.m_size), m_background(other.m_background),
      m_disabledBackground(other.m_disabledBackground), m_tooltip(other.m_tooltip),
      m_alpha(other.m_alpha), m_mouseEnabled(other.m_mouseEnabled),
      m_transparent(other.m_transparent), m_visible(other.m_visible),
      m_wantsFocus(other.m_wantsFocus)
{
}

CView::~CView()
{
    delete m_ownedController;
}

void CView::setOwnedController(IController* controller)
{
    if (controller == m_ownedController) return;
    delete m_ownedController;
    m_ownedController = controller;
}

void CView::draw(CDrawContext* context)
{
    if (CBitmap* background = getDrawBackground())
        background->draw(context, m_size, CPoint(), m_alpha);
    setDirty(false);
}

void CView::drawRect(CDrawContext* context, const CRect&)
{
    ScopedDrawState state(*context);
    context->setGlobalAlpha(context->getGlobalAlpha() * m_alpha);
    draw(context);
}

CMouseEventResult CView::onMouseDown(CPoint&, const CButtonState&)
{
    return kMouseEventNotImplemented;
}
CMouseEventResult CView::onMouseUp(CPoint&, const CButtonState&)
{
    return kMouseEventNotImplemented;
}
CMouseEventResult CView::onMouseMoved(CPoint&, const CButtonState&)
{
    return kMouseEventNotImplemented;
}
bool CView::onWheel(const CPoint&, const float&, const CButtonState&)
{
    return false;
}
int32_t CView::onKeyDown(VstKeyCode&)
{
    return -1;
}
int32_t CView::onKeyUp(VstKeyCode&)
{
    return -1;
}

bool CView::hitTest(const CPoint& where, const CButtonState&)
{
    return m_size.pointInside(where);
}

void CView::invalidRect(const CRect& rect)
{
    if (!m_parent || !m_visible) return;
    m_parent->invalidRect(rect);
}

void CView::setViewSize(const CRect& rect, bool invalidate)
{
    if (rect == m_size) return;
    if (invalidate) invalid();
    m_size = rect;
    if (invalidate) invalid();
}

void CView::setMouseEnabled(bool state)
{
    if (state == m_mouseEnabled) return;
    m_mouseEnabled = state;
    setDirty(true);
}

void CView::setTransparency(bool state)
{
    if (state == m_transparent) return;
    m_transparent = state;
    setDirty(true);
}

void CView::setAlphaValue(float alpha)
{
    if (alpha == m_alpha) return;
    m_alpha = alpha;
    setDirty(true);
}

void CView::setBackground(CBitmap* bitmap)
{
    if (bitmap == m_background.get()) return;
    m_background.reset(bitmap);
    setDirty(true);
}

void CView::setDisabledBackground(CBitmap* bitmap)
{
    if (bitmap == m_disabledBackground.get()) return;
    m_disabledBackground.reset(bitmap);
    setDirty(true);
}

void CView::setVisible(bool state)
{
    if (state == m_visible) return;
    if (!state) invalid();
    m_visible = state;
    if (state) invalid();
}

CBitmap* CView::getDrawBackground() const
{
    if (!m_mouseEnabled && m_disabledBackground) return m_disabledBackground.get();
    return m_background.get();
}

bool CView::attached(CView* parent)
{
    if (m_parent) return false;
    m_parent = parent;
    m_frame = parent ? parent->getFrame() : nullptr;
    if (m_frame) m_frame->onViewAdded(this);
    return true;
}

bool CView::removed(CView*)
{
    if (!m_parent) return false;
    if (m_frame) m_frame->onViewRemoved(this);
    m_parent = nullptr;
    m_frame = nullptr;
    return true;
}

CPoint& CView::localToFrame(CPoint& point) const
{
    for (const CView* p = m_parent; p && p->getParentView(); p = p->getParentView())
        point.offset(p->getViewSize().left, p->getViewSize().top);
    return point;
}

CPoint& CView::frameToLocal(CPoint& point) const
{
    for (const CView* p = m_parent; p && p->getParentView(); p = p->getParentView())
        point.offset(-p->getViewSize().left, -p->getViewSize().top);
    return point;
}
} // namespace VSTGUI
