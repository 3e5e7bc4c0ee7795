#pragma once

#include "vstgui/CColor.h"
#include "vstgui/CView.h"

#include <vector>

namespace VSTGUI
{
// A view holding child views, which it owns (one reference each). Children's rectangles are
// in the container's own coordinates: its top-left corner is their (0, 0).
class CViewContainer : public CView
{
  public:
    explicit CViewContainer(const CRect& size);
    ~CViewContainer() override;

    // Takes over the caller's reference to view.
    virtual bool addView(CView* view);
    virtual bool removeView(CView* view, bool withForget = true);
    virtual void removeAll(bool withForget = true);
    size_t getNbViews() const { return m_children.size(); }
    CView* getView(size_t index) const;
    bool isChild(const CView* view) const;
    // The topmost visible child under where (parent coordinates); with deep, the innermost view.
    CView* getViewAt(const CPoint& where, bool deep = false) const;

    void setBackgroundColor(const CColor& color) { m_backgroundColor = color; }
    const CColor& getBackgroundColor() const { return m_backgroundColor; }
    void setBackgroundColorDrawStyle(CDrawStyle style) { m_backgroundStyle = style; }
    CDrawStyle getBackgroundColorDrawStyle() const { return m_backgroundStyle; }

    void draw(CDrawContext* context) override;
    void drawRect(CDrawContext* context, const CRect& updateRect) override;
    virtual void drawBackgroundRect(CDrawContext* context, const CRect& rect);

    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;

    void invalid() override;
    void invalidRect(const CRect& rect) override;
    bool attached(CView* parent) override;
    bool removed(CView* parent) override;

  protected:
    CPoint toLocal(const CPoint& where) const;
    // Draws one child, clipped to its rectangle.
    static void drawChild(CDrawContext* context, CView* child, const CRect& updateRect);

  private:
    std::vector<CView*> m_children;
    CView* m_mouseDownView = nullptr;
    CColor m_backgroundColor = kBlackCColor;
    CDrawStyle m_backgroundStyle = kDrawFilledAndStroked;
};
} // namespace VSTGUI
