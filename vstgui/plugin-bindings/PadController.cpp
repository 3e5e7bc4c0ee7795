#include "vstgui/plugin-bindings/PadController.h"

#include "vstgui/CXYPad.h"

namespace VSTGUI
{
using namespace Steinberg;
using namespace Steinberg::Vst;

PadController::PadController(IController* baseController, EditController* editController,
                             Parameter* xParam, Parameter* yParam)
    : DelegationController(baseController), m_editController(editController), m_xParam(xParam),
      m_yParam(yParam)
{
    for (Parameter* parameter : {m_xParam, m_yParam})
    {
        if (!parameter) continue;
        parameter->addRef();
        parameter->addDependent(this);
    }
}

PadController::~PadController()
{
    for (Parameter* parameter : {m_xParam, m_yParam})
    {
        if (!parameter) continue;
        parameter->removeDependent(this);
        parameter->release();
    }
    if (m_padControl) m_padControl->forget();
}

CView* PadController::verifyView(CView* view, const UIAttributes& attributes,
                                 const IUIDescription* description)
{
    auto* pad = dynamic_cast<CXYPad*>(view);
    if (pad && !m_padControl)
    {
        m_padControl = pad;
        m_padControl->remember();
        m_padControl->setListener(this);
        showParameters();
        return view;
    }
    return DelegationController::verifyView(view, attributes, description);
}

void PadController::showParameters()
{
    if (!m_padControl) return;
    float x = m_xParam ? static_cast<float>(m_xParam->getNormalized()) : 0.f;
    float y = m_yParam ? static_cast<float>(m_yParam->getNormalized()) : 0.f;
    m_padControl->setValue(CXYPad::calculateValue(x, y));
    m_padControl->invalid();
}

void PadController::valueChanged(CControl* control)
{
    if (control != m_padControl)
    {
        DelegationController::valueChanged(control);
        return;
    }
    float x = 0.f;
    float y = 0.f;
    CXYPad::calculateXY(control->getValue(), x, y);
    for (auto [parameter, value] : {std::pair{m_xParam, x}, std::pair{m_yParam, y}})
    {
        if (!parameter) continue;
        ParamID id = parameter->getInfo().id;
        m_editController->setParamNormalized(id, value);
        m_editController->performEdit(id, value);
    }
}

void PadController::controlBeginEdit(CControl* control)
{
    if (control != m_padControl)
    {
        DelegationController::controlBeginEdit(control);
        return;
    }
    for (Parameter* parameter : {m_xParam, m_yParam})
        if (parameter) m_editController->beginEdit(parameter->getInfo().id);
}

void PadController::controlEndEdit(CControl* control)
{
    if (control != m_padControl)
    {
        DelegationController::controlEndEdit(control);
        return;
    }
    for (Parameter* parameter : {m_xParam, m_yParam})
        if (parameter) m_editController->endEdit(parameter->getInfo().id);
}

void PLUGIN_API PadController::update(FUnknown*, int32 message)
{
    // While the pad is dragged its own value is the truth.
    if (message == IDependent::kChanged && m_padControl && !m_padControl->isEditing())
        showParameters();
}
} // namespace VSTGUI
