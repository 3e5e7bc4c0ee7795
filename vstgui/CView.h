#pragma once

#include "vstgui/CBaseObject.h"
#include "vstgui/CBitmap.h"
#include "vstgui/CButtonState.h"
#include "vstgui/CRect.h"

#include <string>

namespace VSTGUI
{
// Base of everything on screen. A view's rectangle is in its parent's coordinates.
class CView : public CBaseObject
{
  public:
    explicit CView(const CRect& size);
    ~CView() override;

    // Drawing: drawRect is what containers call; draw paints the view (background bitmap).
    virtual void draw(CDrawContext* context);
    virtual void drawRect(CDrawContext* context, const CRect& updateRect);

    // Mouse and keyboard, in the parent's coordinates. Key handlers return 1 when handled, -1
    // when not.
    virtual CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons);
    virtual bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons);
    virtual int32_t onKeyDown(VstKeyCode& keyCode);
    virtual int32_t onKeyUp(VstKeyCode& keyCode);
    virtual bool hitTest(const CPoint& where, const CButtonState& buttons = CButtonState());

    // Focus (text entry): a view that wants focus gets it when clicked.
    virtual bool wantsFocus() const { return m_wantsFocus; }
    void setWantsFocus(bool state) { m_wantsFocus = state; }
    virtual void takeFocus() {}
    virtual void looseFocus() {}

    // Dirty state and invalidation: a view is dirty while what it would draw differs from what
    // it drew last (drawing clears it); invalid() asks the frame to redraw this view's area.
    // The frame redraws dirty views on its own before it paints and on every idle tick.
    virtual void setDirty(bool state = true) { m_dirty = state; }
    virtual bool isDirty() const { return m_dirty; }
    virtual void invalid() { invalidRect(m_size); }
    virtual void invalidRect(const CRect& rect);

    const CRect& getViewSize() const { return m_size; }
    virtual void setViewSize(const CRect& rect, bool invalidate = true);
    CCoord getWidth() const { return m_size.getWidth(); }
    CCoord getHeight() const { return m_size.getHeight(); }

    // Each of these changes how the view looks, and so makes it dirty when it changes.
    void setMouseEnabled(bool state);
    bool getMouseEnabled() const { return m_mouseEnabled; }
    void setTransparency(bool state);
    bool getTransparency() const { return m_transparent; }
    void setVisible(bool state);
    bool isVisible() const { return m_visible; }
    void setAlphaValue(float alpha);
    float getAlphaValue() const { return m_alpha; }

    // The editor's idle tick (every 50 ms while it is open). A view whose picture moves by
    // itself (a meter's falling level) advances here, never in draw, and marks itself dirty
    // when its picture changed: drawing shows the current state and changes nothing.
    virtual void onIdle() {}

    // Background bitmaps; the view keeps a reference.
    virtual void setBackground(CBitmap* bitmap);
    CBitmap* getBackground() const { return m_background.get(); }
    void setDisabledBackground(CBitmap* bitmap);
    CBitmap* getDisabledBackground() const { return m_disabledBackground.get(); }
    // The disabled background while the view is not mouse-enabled, otherwise the background.
    CBitmap* getDrawBackground() const;

    void setTooltipText(const std::string& text) { m_tooltip = text; }
    const std::string& getTooltipText() const { return m_tooltip; }

    // The view tree.
    CView* getParentView() const { return m_parent; }
    CFrame* getFrame() const { return m_frame; }
    bool isAttached() const { return m_parent != nullptr; }
    virtual bool attached(CView* parent);
    virtual bool removed(CView* parent);
    CPoint& localToFrame(CPoint& point) const;
    CPoint& frameToLocal(CPoint& point) const;

    // A controller that lives as long as the view (a sub-controller from the UI description).
    void setOwnedController(IController* controller);
    IController* getOwnedController() const { return m_ownedController; }

    // A copy of the view for duplication; views that cannot be copied return null.
    virtual CView* newCopy() const { return nullptr; }

  protected:
    CView(const CView& other);
    // The frame is the root of its tree and its own frame.
    void setRootFrame(CFrame* frame) { m_frame = frame; }

  private:
    CRect m_size;
    CView* m_parent = nullptr;
    CFrame* m_frame = nullptr;
    SharedPointer<CBitmap> m_background;
    SharedPointer<CBitmap> m_disabledBackground;
    std::string m_tooltip;
    IController* m_ownedController = nullptr;
    float m_alpha = 1.f;
    bool m_dirty = false;
    bool m_mouseEnabled = true;
    bool m_transparent = false;
    bool m_visible = true;
    bool m_wantsFocus = false;
};
} // namespace VSTGUI
