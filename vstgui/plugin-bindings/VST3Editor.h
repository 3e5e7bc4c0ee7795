#pragma once

#include "vstgui/FrameObservers.h"
#include "vstgui/IController.h"
#include "vstgui/plugin-bindings/VSTGUIEditor.h"

#include <map>
#include <memory>
#include <string>

namespace VSTGUI
{
class ParameterChangeListener;
class UIDescription;
class VST3EditorDelegate;
class ZoomMenu;

// An editor built from a UI description template. Every control whose tag names a parameter
// of the edit controller is bound to it: user changes become begin/perform/end edits, and the
// parameter's changes show on the controls. Parameter texts fill displays, text edits parse
// typed text through the controller, and option menus list a stepped parameter's value texts.
// If the controller is also a VST3EditorDelegate it supplies custom views and sub-controllers.
// A right click on the panel opens the zoom menu (ZoomMenu). Sizes the host sees are the
// template's layout size times the editor's scale.
class VST3Editor : public VSTGUIEditor,
                   public IController,
                   public IViewAddedRemovedObserver,
                   public IMouseObserver,
                   public IKeyboardHook
{
  public:
    // xmlFile: a resource name (found in the module's resource folder) or an absolute path.
    VST3Editor(Steinberg::Vst::EditController* controller, UTF8StringPtr templateName,
               UTF8StringPtr xmlFile);
    ~VST3Editor() override;

    bool open(void* parent, const PlatformType& type = kDefaultNative) override;
    void close() override;

    // Shows another template; the views are rebuilt on the next idle tick.
    bool exchangeView(UTF8StringPtr templateName);
    const std::string& getTemplateName() const { return m_templateName; }
    UIDescription* getUIDescription() const { return m_description.get(); }
    VST3EditorDelegate* getDelegate() const { return m_delegate; }

    // Size requests of the host: the template's size before the editor opens; resizing only
    // where the template's minimum and maximum sizes differ, within them; all times the scale.
    Steinberg::tresult PLUGIN_API getSize(Steinberg::ViewRect* size) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API onSize(Steinberg::ViewRect* newSize) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API canResize() SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API checkSizeConstraint(Steinberg::ViewRect* rect) SMTG_OVERRIDE;

    bool setEditorSizeConstrains(const CPoint& minimumSize, const CPoint& maximumSize);
    void getEditorSizeConstrains(CPoint& minimumSize, CPoint& maximumSize) const;
    bool beforeSizeChange(const CRect& newSize, const CRect& oldSize) override;

    // On each idle tick: a pending view exchange, then the frame's idle step, which redraws
    // only the views that changed.
    CMessageResult notify(CBaseObject* sender, IdStringPtr message) override;

    // IController
    void valueChanged(CControl* control) override;
    void controlBeginEdit(CControl* control) override;
    void controlEndEdit(CControl* control) override;
    int32_t getTagForName(UTF8StringPtr name, int32_t registeredTag) const override;
    IControlListener* getControlListener(UTF8StringPtr name) override;
    CView* createView(const UIAttributes& attributes, const IUIDescription* description) override;
    CView* verifyView(CView* view, const UIAttributes& attributes,
                      const IUIDescription* description) override;
    IController* createSubController(UTF8StringPtr name,
                                     const IUIDescription* description) override;

    // IViewAddedRemovedObserver
    void onViewAdded(CFrame* frame, CView* view) override;
    void onViewRemoved(CFrame* frame, CView* view) override;

    // IMouseObserver: the right button opens the zoom menu.
    CMouseEventResult onMouseDown(CFrame* frame, const CPoint& where,
                                  const CButtonState& buttons) override;
    ZoomMenu* getZoomMenu() const { return m_zoomMenu.get(); }

    // The binding of a tag, or null when no parameter of the controller has that id.
    ParameterChangeListener* getParameterChangeListener(int32_t tag) const;

  protected:
    // The edit of valueChanged: the control's value (or its parsed text) goes to its parameter.
    // False only when a text field's text is no value of the parameter: the field was reset and
    // nothing else may follow from the edit.
    bool applyControlValue(CControl* control);
    bool isRecreateViewPending() const { return m_doCreateView; }
    // Rebuilds the frame's content from the current template.
    void recreateView();

  private:
    // Reads the document once; its template's minimum and maximum sizes become the constraints.
    bool loadDescription();
    void releaseFrame();
    CView* createTemplateView();
    void releaseParameterListeners();
    // Takes a closed zoom menu off the frame.
    void removeZoomMenu(bool evenIfOpen);

    std::string m_templateName;
    std::string m_xmlFile;
    std::unique_ptr<UIDescription> m_description;
    VST3EditorDelegate* m_delegate;
    std::map<int32_t, ParameterChangeListener*> m_listeners;
    CPoint m_minSize;
    CPoint m_maxSize;
    SharedPointer<ZoomMenu> m_zoomMenu;
    bool m_doCreateView = false;
};
} // namespace VSTGUI
