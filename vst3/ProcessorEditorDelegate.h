// The editor side of the plug-in's one VST3 component: the view it makes for the host, the
// editor's text messages, and the toolkit's delegate operations (open and close notices,
// custom views, pad sub-controllers), which it passes on to the effect as editor messages.
//
// Threads: every operation here is called by the host's UI thread.
#pragma once

#include "vst3/ProcessorModel.h"

#include "vstgui/plugin-bindings/VST3EditorDelegate.h"

namespace Steinberg::Vst::Veru2ZOR3
{

class ProcessorEditorDelegate : public ProcessorModel, public VSTGUI::VST3EditorDelegate
{
  public:
    explicit ProcessorEditorDelegate(EffectFactory effectFactory);
    ~ProcessorEditorDelegate() override;

    //---IEditController (ProcessorEditor.cpp)
    IPlugView* PLUGIN_API createView(FIDString name) SMTG_OVERRIDE;

    //---ComponentBase: the editor's timer pings and view recreations (ProcessorEditor.cpp)
    tresult receiveText(const char8* text) SMTG_OVERRIDE;

    //---VST3EditorDelegate: the framework's custom views and pad sub-controllers
    // (ProcessorCustomViews.cpp)
    VSTGUI::CView* createCustomView(VSTGUI::UTF8StringPtr name,
                                    const VSTGUI::UIAttributes& attributes,
                                    const VSTGUI::IUIDescription* description,
                                    VSTGUI::VST3Editor* editor) override;
    VSTGUI::IController* createSubController(VSTGUI::UTF8StringPtr name,
                                             const VSTGUI::IUIDescription* description,
                                             VSTGUI::VST3Editor* editor) override;
    //---VST3EditorDelegate: the editor's open and close notices (ProcessorEditor.cpp)
    void didOpen(VSTGUI::VST3Editor* editor) override;
    void willClose(VSTGUI::VST3Editor* editor) override;

  private:
    // Resets the processor's own editor record for a code and sends it.
    void sendResetEditorMessage(uint32 code);

    // Reused record for codes 0 to 3, kept between messages.
    EditorMessage m_editorMessage;
};

} // namespace Steinberg::Vst::Veru2ZOR3
