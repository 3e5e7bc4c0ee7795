#pragma once

#include "vstgui/CViewContainer.h"
#include "vstgui/FrameObservers.h"
#include "vstgui/TextRenderer.h"
#include "vstgui/VSTGUIEditorInterface.h"

#include <string>
#include <vector>

namespace VSTGUI
{
// The root of a view tree. Mouse and key events enter here in frame coordinates, whether a
// window's platform layer or a test feeds them; invalidated areas collect here until drawn.
class CFrame : public CViewContainer
{
  public:
    CFrame(const CRect& size, VSTGUIEditorInterface* editor);
    ~CFrame() override;

    VSTGUIEditorInterface* getEditor() const { return m_editor; }
    int32_t getKnobMode() const;
    TextRenderer& getTextRenderer() { return m_textRenderer; }

    // The window side; none when the frame is drawn offscreen.
    void setPlatformFrame(IPlatformFrame* platformFrame) { m_platformFrame = platformFrame; }
    IPlatformFrame* getPlatformFrame() const { return m_platformFrame; }

    // Tooltips are shown by the window layer when enabled; the frame only keeps the switch.
    void enableTooltips(bool state) { m_tooltips = state; }
    bool tooltipsEnabled() const { return m_tooltips; }

    // Asks the editor first; false when it refuses the size. Sizes are in layout pixels.
    bool setSize(CCoord width, CCoord height);

    // Device pixels per layout pixel on the frame's screen (0.5 to 4; 1 unless set). The window
    // follows: it takes the frame's size times the scale, and everything is drawn anew.
    void setScaleFactor(double scale);
    double getScaleFactor() const { return m_scaleFactor; }

    // Input, in frame coordinates.
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;
    int32_t onKeyDown(VstKeyCode& keyCode) override;
    int32_t onKeyUp(VstKeyCode& keyCode) override;

    // Keyboard focus: the previous focus view loses it (a text edit commits then).
    void setFocusView(CView* view);
    CView* getFocusView() const { return m_focusView; }

    // A modal view (an open menu) sits above everything and gets all mouse events.
    bool setModalView(CView* view);
    CView* getModalView() const { return m_modalView; }

    // Dirty area bookkeeping: invalidRect collects rectangles, the take functions hand them to
    // the drawer, after adding the area of every view that became dirty without asking.
    void invalidRect(const CRect& rect) override;
    void invalid() override;
    std::vector<CRect> takeDirtyRects();
    // All of the dirty area as one rectangle.
    CRect takeDirtyRect();
    // Invalidates the area of every visible view that is dirty.
    void invalidateDirtyViews();
    // One idle tick: every view advances (onIdle), then the dirty ones are invalidated. An
    // editor at rest invalidates nothing here.
    void idle();
    void drawRect(CDrawContext* context, const CRect& updateRect) override;
    // What a window does when it paints: each dirty rectangle, widened to whole device pixels of
    // the context (at its scale) inside the frame, is cleared and drawn. Returns the rectangles
    // painted, in frame coordinates (none when nothing changed); a window copies them times its
    // scale, and they cover whole device pixels exactly.
    std::vector<CRect> paintDirtyRects(CDrawContext* context);

    void registerViewAddedRemovedObserver(IViewAddedRemovedObserver* observer);
    void unregisterViewAddedRemovedObserver(IViewAddedRemovedObserver* observer);
    void registerMouseObserver(IMouseObserver* observer);
    void unregisterMouseObserver(IMouseObserver* observer);
    void registerKeyboardHook(IKeyboardHook* hook);
    void unregisterKeyboardHook(IKeyboardHook* hook);

    void onViewAdded(CView* view);
    void onViewRemoved(CView* view);

    // Renders the whole frame into a new image at the frame's scale and writes it as PNG.
    bool renderToPNG(const std::string& path);

    // Beyond this many separate dirty rectangles they merge into one.
    static constexpr size_t kMaxDirtyRects = 16;

  private:
    void addDirtyRect(const CRect& rect);

    VSTGUIEditorInterface* m_editor;
    IPlatformFrame* m_platformFrame = nullptr;
    TextRenderer m_textRenderer;
    CView* m_focusView = nullptr;
    CView* m_modalView = nullptr;
    std::vector<CRect> m_dirtyRects;
    double m_scaleFactor = 1.0;
    bool m_tooltips = false;
    std::vector<IViewAddedRemovedObserver*> m_viewObservers;
    std::vector<IMouseObserver*> m_mouseObservers;
    std::vector<IKeyboardHook*> m_keyboardHooks;
};
} // namespace VSTGUI
