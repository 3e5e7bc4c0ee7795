#pragma once

#include "vstgui/IController.h"

#include "base/source/fobject.h"
#include "public.sdk/source/vst/vsteditcontroller.h"

namespace VSTGUI
{
class CXYPad;

// A sub-controller that binds an XY pad to two parameters: the pad's x to one, its y to the
// other. Other controls pass through to the parent controller.
class PadController : public Steinberg::FObject, public DelegationController
{
  public:
    PadController(IController* baseController, Steinberg::Vst::EditController* editController,
                  Steinberg::Vst::Parameter* xParam, Steinberg::Vst::Parameter* yParam);
    ~PadController() override;

    CView* verifyView(CView* view, const UIAttributes& attributes,
                      const IUIDescription* description) override;
    void valueChanged(CControl* control) override;
    void controlBeginEdit(CControl* control) override;
    void controlEndEdit(CControl* control) override;
    // One of the parameters changed (IDependent).
    void PLUGIN_API update(Steinberg::FUnknown* changedUnknown,
                           Steinberg::int32 message) SMTG_OVERRIDE;

  private:
    void showParameters();

    Steinberg::Vst::EditController* m_editController;
    Steinberg::Vst::Parameter* m_xParam;
    Steinberg::Vst::Parameter* m_yParam;
    CXYPad* m_padControl = nullptr;
};
} // namespace VSTGUI
