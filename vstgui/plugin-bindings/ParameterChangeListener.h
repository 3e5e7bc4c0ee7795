#pragma once

#include "vstgui/VSTGUIFwd.h"

#include "base/source/fobject.h"
#include "public.sdk/source/vst/vsteditcontroller.h"

#include <string>
#include <vector>

namespace VSTGUI
{
// Binds the controls that share a tag to the edit controller's parameter of that id: user edits
// go to the controller, and the parameter's changes come back to every control.
class ParameterChangeListener : public Steinberg::FObject
{
  public:
    ParameterChangeListener(Steinberg::Vst::EditController* controller,
                            Steinberg::Vst::Parameter* parameter);
    ~ParameterChangeListener() override;

    Steinberg::Vst::ParamID getParameterID() const { return m_id; }
    Steinberg::Vst::Parameter* getParameter() const { return m_parameter; }
    // Keeps a reference to the control and shows the parameter's value on it.
    void addControl(CControl* control);
    void removeControl(CControl* control);
    bool containsControl(CControl* control) const;
    bool empty() const { return m_controls.empty(); }

    void beginEdit();
    void endEdit();
    // Sets the parameter and tells the host (setParamNormalized, then performEdit).
    void performEdit(Steinberg::Vst::ParamValue normalized);
    // The normalised parameter value a control's value stands for.
    Steinberg::Vst::ParamValue normalizedValue(CControl* control) const;
    // Shows the controller's current value on every control.
    void refresh();
    // The parameter changed (IDependent).
    void PLUGIN_API update(Steinberg::FUnknown* changedUnknown,
                           Steinberg::int32 message) SMTG_OVERRIDE;

  private:
    void updateControlValue(Steinberg::Vst::ParamValue normalized);
    void showOnControl(CControl* control, Steinberg::Vst::ParamValue normalized);
    bool valueToString(float value, std::string& text) const;
    bool isStepped() const;

    Steinberg::Vst::EditController* m_controller;
    Steinberg::Vst::Parameter* m_parameter;
    Steinberg::Vst::ParamID m_id;
    std::vector<CControl*> m_controls;
};
} // namespace VSTGUI
