#pragma once

#include "core/CPlugIn.h"

#include "vstgui/VSTGUIFwd.h"

#include "public.sdk/source/vst/vsteditcontroller.h"

#include <string>

namespace VSTGUI
{
class CVuMeterZx;
class VST3Editor;
} // namespace VSTGUI

namespace Steinberg::Vst::Veru2ZOR3
{
class CustomViewAttributes;

// What the processor, as the editor's delegate, builds while the editor reads its document:
// the framework's custom views by name (kick buttons, pads, units texts, meters; other names
// go to the effect) and the pad sub-controllers that split a pad into two parameters.
class CustomViewFactory
{
  public:
    // effect: the processor's effect (none: nothing is built); message: the processor's editor
    // record; controller: the edit controller that owns the parameters.
    CustomViewFactory(CPlugIn* effect, EditorMessage& message, EditController* controller);

    VSTGUI::CView* createCustomView(VSTGUI::UTF8StringPtr name,
                                    const VSTGUI::UIAttributes& attributes,
                                    const VSTGUI::IUIDescription* description,
                                    VSTGUI::VST3Editor* editor);
    VSTGUI::IController* createSubController(VSTGUI::UTF8StringPtr name,
                                             const VSTGUI::IUIDescription* description,
                                             VSTGUI::VST3Editor* editor);

  private:
    VSTGUI::CView* createKickButton(const std::string& name,
                                    const CustomViewAttributes& attributes) const;
    VSTGUI::CView* createPad(bool joystick, const CustomViewAttributes& attributes) const;
    VSTGUI::CView* createUnitsEdit(const CustomViewAttributes& attributes) const;
    VSTGUI::CView* createUnitsLabel(const CustomViewAttributes& attributes) const;
    VSTGUI::CView* createMeter(const std::string& name, bool analog,
                               const CustomViewAttributes& attributes) const;
    // Ballistics from the effect's meter record named by the view's control-tag text.
    void initMeterDetector(VSTGUI::CVuMeterZx& meter, const CustomViewAttributes& attributes,
                           bool needsMeterVariable) const;
    const ControlRecord* recordForTag(int32_t tag) const;
    VSTGUI::IController* createPadController(VSTGUI::IController* parent, ParamID xId,
                                             ParamID yId) const;

    CPlugIn* m_pEffect;
    EditorMessage& m_Message;
    EditController* m_pController;
};
} // namespace Steinberg::Vst::Veru2ZOR3
