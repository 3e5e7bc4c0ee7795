#pragma once

#include "vstgui/CButtonState.h"
#include "vstgui/CRect.h"

namespace VSTGUI
{
// Told when views join or leave a frame's tree.
class IViewAddedRemovedObserver
{
  public:
    virtual ~IViewAddedRemovedObserver() = default;
    virtual void onViewAdded(CFrame* frame, CView* view) = 0;
    virtual void onViewRemoved(CFrame* frame, CView* view) = 0;
};

// Sees every mouse press and move before the views do.
class IMouseObserver
{
  public:
    virtual ~IMouseObserver() = default;
    virtual CMouseEventResult onMouseDown(CFrame* /*frame*/, const CPoint& /*where*/,
                                          const CButtonState& /*buttons*/)
    {
        return kMouseEventNotHandled;
    }
    virtual CMouseEventResult onMouseMoved(CFrame* /*frame*/, const CPoint& /*where*/,
                                           const CButtonState& /*buttons*/)
    {
        return kMouseEventNotHandled;
    }
};

// Sees every key before the focused view; a result other than -1 consumes the key.
class IKeyboardHook
{
  public:
    virtual ~IKeyboardHook() = default;
    virtual int32_t onKeyDown(const VstKeyCode& /*code*/, CFrame* /*frame*/) { return -1; }
    virtual int32_t onKeyUp(const VstKeyCode& /*code*/, CFrame* /*frame*/) { return -1; }
};

// The window side of a frame (the next layer down): it is asked to repaint areas, and follows
// the frame's size.
class IPlatformFrame
{
  public:
    virtual ~IPlatformFrame() = default;
    virtual void invalidRect(const CRect& rect) = 0;
    virtual void setSize(const CRect& /*size*/) {}
};
} // namespace VSTGUI
