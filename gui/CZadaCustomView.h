#pragma once

#include "core/CPlugIn.h"
#include "core/IParameterConnector.h"

#include "vstgui/plugin-bindings/VSTGUIEditor.h"

namespace Steinberg::Vst::Veru2ZOR3
{
// The plug view of an effect that draws its own GUI: the effect gets the host's window when the
// view opens (code 6) and closes (code 7), the current parameter values (code 13), and this
// view as the channel through which its GUI edits parameters.
class CZadaCustomView : public IParameterConnector, public VSTGUI::VSTGUIEditor
{
  public:
    CZadaCustomView(EditController* controller, ViewRect* size);
    ~CZadaCustomView() override;

    void setEffect(CPlugIn* effect) { m_pEffect = effect; }
    CPlugIn* getEffect() const { return m_pEffect; }

    bool open(void* parent, const VSTGUI::PlatformType& type) override;
    void close() override;

    // IParameterConnector
    void beginEdit(ParamID id) override;
    void endEdit(ParamID id) override;
    void setParameter(ParamID id, ParamValue normalized) override;
    using VSTGUIEditor::beginEdit;
    using VSTGUIEditor::endEdit;

  private:
    static void* moduleHandle();
    void releaseFrame();

    CPlugIn* m_pEffect = nullptr;
    void* m_pParentWindow = nullptr;
};
} // namespace Steinberg::Vst::Veru2ZOR3
