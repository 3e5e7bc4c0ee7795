// Small UI documents of our own, opened offscreen in an editor whose edit controller is the
// custom views' delegate, as the processor is.
#pragma once

#include "RecordingHandler.h"
#include "TestImages.h"
#include "ViewTestEffect.h"

#include "gui/CustomViewFactory.h"

#include "vstgui/CFrame.h"
#include "vstgui/plugin-bindings/VST3Editor.h"
#include "vstgui/plugin-bindings/VST3EditorDelegate.h"

#include "public.sdk/source/vst/vsteditcontroller.h"

#include <string>
#include <vector>

// An edit controller with a parameter for each of the test effect's controls (ids 0 to 4) and
// the two joystick parameters, delegating custom views as the processor does.
class DelegateController : public Steinberg::Vst::EditController, public VSTGUI::VST3EditorDelegate
{
  public:
    DelegateController();

    VSTGUI::CView* createCustomView(VSTGUI::UTF8StringPtr name,
                                    const VSTGUI::UIAttributes& attributes,
                                    const VSTGUI::IUIDescription* description,
                                    VSTGUI::VST3Editor* editor) override;
    VSTGUI::IController* createSubController(VSTGUI::UTF8StringPtr name,
                                             const VSTGUI::IUIDescription* description,
                                             VSTGUI::VST3Editor* editor) override;
    Steinberg::Vst::Veru2ZOR3::CustomViewFactory factory();

    ViewTestEffect effect;
    EditorMessage message;
    RecordingHandler handler;
};

struct DocumentFixture
{
    DocumentFixture();
    ~DocumentFixture();
    DocumentFixture(const DocumentFixture&) = delete;
    DocumentFixture& operator=(const DocumentFixture&) = delete;

    // Opens the template "view" (300 x 300) holding the given view elements; the document
    // names the colours "Handle" (green) and "Panel", the bitmaps "knob", "on", "off" and
    // "strip", and the control tags "Gain" 0, "Rate" 1, "Level" 2, "Pan" 4 and "Far" 40.
    // The editor's edit controller is the fixture's delegate unless another is given.
    bool open(const std::string& views, Steinberg::Vst::EditController* editController = nullptr);
    VSTGUI::CFrame* frame() const { return editor ? editor->getFrame() : nullptr; }
    // The template's views, in document order.
    std::vector<VSTGUI::CView*> views() const;
    // The only view of the template, or null (a failure) when there is not exactly one.
    VSTGUI::CView* onlyView() const;
    template <typename T> T* only() const { return dynamic_cast<T*>(onlyView()); }

    TempFolder folder;
    DelegateController* controller;
    VSTGUI::VST3Editor* editor = nullptr;
};
