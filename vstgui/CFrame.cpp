#include "vstgui/CFrame.h"

#include "vstgui/COffscreenContext.h"
#include "vstgui/ScaleFactor.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI
{
CFrame::CFrame(const CRect& size, VSTGUIEditorInterface* editor)
    : CViewContainer(size), m_editor(editor)
{
    setRootFrame(this);
}

CFrame::~CFrame()
{
    m_focusView = nullptr;
    if (m_modalView)
    {
        removeView(m_modalView, true);
        m_modalView = nullptr;
    }
    m_viewObservers.clear();
    removeAll(true);
}

int32_t CFrame::getKnobMode() const
{
    return m_editor ? m_editor->getKnobMode() : kCircularMode;
}

bool CFrame::setSize(CCoord width, CCoord height)
{
    CRect newSize(getViewSize().left, getViewSize().top, getViewSize().left + width,
                  getViewSize().top + height);
    if (newSize == getViewSize()) return true;
    if (m_editor && !m_editor->beforeSizeChange(newSize, getViewSize())) return false;
    setViewSize(newSize, false);
    if (m_platformFrame) m_platformFrame->setSize(newSize);
    invalid();
    return true;
}

void CFrame::setScaleFactor(double scale)
{
    scale = ScaleFactor::valid(scale);
    if (scale == m_scaleFactor) return;
    m_scaleFactor = scale;
    if (m_platformFrame) m_platformFrame->setSize(getViewSize());
    invalid();
}

CMouseEventResult CFrame::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    for (auto* observer : m_mouseObservers)
        if (observer->onMouseDown(this, where, buttons) == kMouseEventHandled)
            return kMouseEventHandled;
    if (m_modalView)
    {
        CPoint local = where;
        CMouseEventResult result = m_modalView->onMouseDown(local, buttons);
        return result == kMouseEventNotImplemented ? kMouseEventHandled : result;
    }
    // A click anywhere but on the focused view takes the focus away (and commits text).
    if (m_focusView)
    {
        CPoint local = where;
        m_focusView->frameToLocal(local);
        if (!m_focusView->getViewSize().pointInside(local)) setFocusView(nullptr);
    }
    return CViewContainer::onMouseDown(where, buttons);
}

CMouseEventResult CFrame::onMouseUp(CPoint& where, const CButtonState& buttons)
{
    if (m_modalView)
    {
        CPoint local = where;
        m_modalView->onMouseUp(local, buttons);
        return kMouseEventHandled;
    }
    return CViewContainer::onMouseUp(where, buttons);
}

CMouseEventResult CFrame::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    for (auto* observer : m_mouseObservers)
        observer->onMouseMoved(this, where, buttons);
    if (m_modalView)
    {
        CPoint local = where;
        return m_modalView->onMouseMoved(local, buttons);
    }
    return CViewContainer::onMouseMoved(where, buttons);
}

bool CFrame::onWheel(const CPoint& where, const float& distance, const CButtonState& buttons)
{
    if (m_modalView) return false;
    return CViewContainer::onWheel(where, distance, buttons);
}

int32_t CFrame::onKeyDown(VstKeyCode& keyCode)
{
    for (auto* hook : m_keyboardHooks)
        if (hook->onKeyDown(keyCode, this) != -1) return 1;
    if (m_modalView) return m_modalView->onKeyDown(keyCode);
    return m_focusView ? m_focusView->onKeyDown(keyCode) : -1;
}

int32_t CFrame::onKeyUp(VstKeyCode& keyCode)
{
    for (auto* hook : m_keyboardHooks)
        if (hook->onKeyUp(keyCode, this) != -1) return 1;
    if (m_modalView) return m_modalView->onKeyUp(keyCode);
    return m_focusView ? m_focusView->onKeyUp(keyCode) : -1;
}

void CFrame::setFocusView(CView* view)
{
    if (view == m_focusView) return;
    CView* old = m_focusView;
    m_focusView = view;
    if (old) old->looseFocus();
    if (m_focusView) m_focusView->takeFocus();
}

bool CFrame::setModalView(CView* view)
{
    if (view && m_modalView) return false;
    if (m_modalView)
    {
        CView* old = m_modalView;
        m_modalView = nullptr;
        removeView(old, true);
    }
    if (view)
    {
        m_modalView = view;
        addView(view);
    }
    return true;
}

void CFrame::invalidRect(const CRect& rect)
{
    CRect r = rect;
    r.bound(CRect(0, 0, getWidth(), getHeight()));
    if (r.isEmpty()) return;
    addDirtyRect(r);
    if (m_platformFrame) m_platformFrame->invalidRect(r);
}

void CFrame::addDirtyRect(const CRect& rect)
{
    for (const CRect& dirty : m_dirtyRects)
        if (CRect(dirty).unite(rect) == dirty) return; // already covered
    // Rectangles the new one covers go; what is left stays separate, so that two small views
    // far apart are not redrawn with everything between them.
    m_dirtyRects.erase(std::remove_if(m_dirtyRects.begin(), m_dirtyRects.end(),
                                      [&](const CRect& dirty)
                                      { return CRect(rect).unite(dirty) == rect; }),
                       m_dirtyRects.end());
    m_dirtyRects.push_back(rect);
    if (m_dirtyRects.size() <= kMaxDirtyRects) return;
    CRect all;
    for (const CRect& dirty : m_dirtyRects)
        all.unite(dirty);
    m_dirtyRects.assign(1, all);
}

void CFrame::invalid()
{
    invalidRect(CRect(0, 0, getWidth(), getHeight()));
}

namespace
{
// Visits the visible views under view, parents before their children.
template <typename Visit> void forEachVisibleView(CView* view, const Visit& visit)
{
    if (!view->isVisible()) return;
    visit(view);
    if (auto* container = dynamic_cast<CViewContainer*>(view))
        for (size_t i = 0; i < container->getNbViews(); ++i)
            forEachVisibleView(container->getView(i), visit);
}
} // namespace

void CFrame::invalidateDirtyViews()
{
    for (size_t i = 0; i < getNbViews(); ++i)
        forEachVisibleView(getView(i),
                           [](CView* view)
                           {
                               if (view->isDirty()) view->invalid();
                           });
}

void CFrame::idle()
{
    // A view's idle step may add or remove views: hold the current ones until the walk ends.
    std::vector<SharedPointer<CView>> views;
    for (size_t i = 0; i < getNbViews(); ++i)
        forEachVisibleView(getView(i), [&](CView* view) { views.emplace_back(view); });
    for (const auto& view : views)
        view->onIdle();
    invalidateDirtyViews();
}

std::vector<CRect> CFrame::takeDirtyRects()
{
    invalidateDirtyViews();
    std::vector<CRect> rects;
    rects.swap(m_dirtyRects);
    return rects;
}

CRect CFrame::takeDirtyRect()
{
    CRect all;
    for (const CRect& dirty : takeDirtyRects())
        all.unite(dirty);
    return all;
}

void CFrame::drawRect(CDrawContext* context, const CRect& updateRect)
{
    // The frame's own origin is the window's, so its children are drawn untranslated.
    ScopedDrawState state(*context);
    CRect local(0, 0, getWidth(), getHeight());
    CRect update = updateRect;
    update.bound(local);
    context->setClipRect(update);
    drawBackgroundRect(context, local);
    for (size_t i = 0; i < getNbViews(); ++i)
    {
        CView* child = getView(i);
        if (child->isVisible() && child->getViewSize().rectOverlap(update))
            drawChild(context, child, update);
    }
    setDirty(false);
}

std::vector<CRect> CFrame::paintDirtyRects(CDrawContext* context)
{
    // Whole pixels of the context's image: at a scale such as 1.5 a layout rectangle's edge may
    // fall inside a device pixel, which would be cleared and redrawn only in part (a seam).
    const double scale = context->getScaleFactor();
    const CRect image(0, 0, ScaleFactor::toDevice(getWidth(), scale),
                      ScaleFactor::toDevice(getHeight(), scale));
    std::vector<CRect> painted;
    for (const CRect& dirty : takeDirtyRects())
    {
        const CRect pixels = ScaleFactor::toDeviceBounds(dirty, scale).bound(image);
        if (pixels.isEmpty()) continue;
        const CRect r = ScaleFactor::toLayout(pixels, scale);
        context->clearRect(r);
        drawRect(context, r);
        painted.push_back(r);
    }
    return painted;
}

bool CFrame::renderToPNG(const std::string& path)
{
    COffscreenContext context(static_cast<int>(getWidth()), static_cast<int>(getHeight()),
                              &m_textRenderer, m_scaleFactor);
    drawRect(&context, CRect(0, 0, getWidth(), getHeight()));
    return context.writePNG(path);
}

template <typename T> static void removeFrom(std::vector<T*>& list, T* item)
{
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

void CFrame::registerViewAddedRemovedObserver(IViewAddedRemovedObserver* observer)
{
    m_viewObservers.push_back(observer);
}
void CFrame::unregisterViewAddedRemovedObserver(IViewAddedRemovedObserver* observer)
{
    removeFrom(m_viewObservers, observer);
}
void CFrame::registerMouseObserver(IMouseObserver* observer)
{
    m_mouseObservers.push_back(observer);
}
void CFrame::unregisterMouseObserver(IMouseObserver* observer)
{
    removeFrom(m_mouseObservers, observer);
}
void CFrame::registerKeyboardHook(IKeyboardHook* hook)
{
    m_keyboardHooks.push_back(hook);
}
void CFrame::unregisterKeyboardHook(IKeyboardHook* hook)
{
    removeFrom(m_keyboardHooks, hook);
}

void CFrame::onViewAdded(CView* view)
{
    for (auto* observer : m_viewObservers)
        observer->onViewAdded(this, view);
}

void CFrame::onViewRemoved(CView* view)
{
    if (m_focusView == view) m_focusView = nullptr;
    for (auto* observer : m_viewObservers)
        observer->onViewRemoved(this, view);
}
} // namespace VSTGUI
