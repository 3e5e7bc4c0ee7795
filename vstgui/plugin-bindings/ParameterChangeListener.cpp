#include "vstgui/plugin-bindings/ParameterChangeListener.h"

#include "vstgui/COptionMenu.h"
#include "vstgui/CTextEdit.h"
#include "vstgui/plugin-bindings/Utf16Text.h"

#include <algorithm>

namespace VSTGUI
{
using namespace Steinberg;
using namespace Steinberg::Vst;

ParameterChangeListener::ParameterChangeListener(EditController* controller, Parameter* parameter)
    : m_controller(controller), m_parameter(parameter), m_id(parameter->getInfo().id)
{
    m_parameter->addRef();
    m_parameter->addDependent(this);
}

ParameterChangeListener::~ParameterChangeListener()
{
    m_parameter->removeDependent(this);
    m_parameter->release();
    for (CControl* control : m_controls)
        control->forget();
}

bool ParameterChangeListener::isStepped() const
{
    return m_parameter->getInfo().stepCount > 0;
}

bool ParameterChangeListener::valueToString(float value, std::string& text) const
{
    String128 string = {};
    if (m_controller->getParamStringByValue(m_id, value, string) != kResultTrue) return false;
    text = utf16ToUtf8(string);
    return true;
}

void ParameterChangeListener::addControl(CControl* control)
{
    if (containsControl(control)) return;
    control->remember();
    m_controls.push_back(control);
    if (auto* display = dynamic_cast<CParamDisplay*>(control);
        display && !dynamic_cast<CTextLabel*>(control))
    {
        // A plain display shows the parameter's own text for its (normalised) value.
        display->setValueToStringFunction([this](float value, std::string& text, CParamDisplay*)
                                          { return valueToString(value, text); });
    }
    showOnControl(control, m_controller->getParamNormalized(m_id));
}

void ParameterChangeListener::removeControl(CControl* control)
{
    auto it = std::find(m_controls.begin(), m_controls.end(), control);
    if (it == m_controls.end()) return;
    m_controls.erase(it);
    control->forget();
}

bool ParameterChangeListener::containsControl(CControl* control) const
{
    return std::find(m_controls.begin(), m_controls.end(), control) != m_controls.end();
}

void ParameterChangeListener::beginEdit()
{
    m_controller->beginEdit(m_id);
}

void ParameterChangeListener::endEdit()
{
    m_controller->endEdit(m_id);
}

void ParameterChangeListener::performEdit(ParamValue normalized)
{
    m_controller->setParamNormalized(m_id, normalized);
    m_controller->performEdit(m_id, normalized);
}

ParamValue ParameterChangeListener::normalizedValue(CControl* control) const
{
    if (!isStepped()) return control->getValueNormalized();
    // Stepped controls hold plain values; a menu holds the entry index above the minimum.
    ParamValue plain = control->getValue();
    if (auto* menu = dynamic_cast<COptionMenu*>(control))
        plain = m_parameter->toPlain(0) + std::max(0, menu->getCurrentIndex());
    return m_parameter->toNormalized(plain);
}

void ParameterChangeListener::refresh()
{
    updateControlValue(m_controller->getParamNormalized(m_id));
}

void PLUGIN_API ParameterChangeListener::update(FUnknown*, int32 message)
{
    if (message == IDependent::kChanged) refresh();
}

void ParameterChangeListener::updateControlValue(ParamValue normalized)
{
    // A control may be released while another is updated: work on a counted copy.
    std::vector<CControl*> controls = m_controls;
    for (CControl* control : controls)
        control->remember();
    for (CControl* control : controls)
        showOnControl(control, normalized);
    for (CControl* control : controls)
        control->forget();
}

void ParameterChangeListener::showOnControl(CControl* control, ParamValue normalized)
{
    const ParameterInfo& info = m_parameter->getInfo();
    control->setMouseEnabled((info.flags & ParameterInfo::kIsReadOnly) == 0);
    if (auto* label = dynamic_cast<CTextLabel*>(control))
    {
        std::string text;
        if (valueToString(static_cast<float>(normalized), text)) label->setText(text);
    }
    else if (isStepped())
    {
        float minimum = static_cast<float>(m_parameter->toPlain(0));
        float maximum = static_cast<float>(m_parameter->toPlain(1));
        control->setDefaultValue(
            static_cast<float>(m_parameter->toPlain(info.defaultNormalizedValue)));
        control->setMin(minimum);
        control->setMax(maximum);
        float plain = static_cast<float>(m_parameter->toPlain(normalized));
        if (auto* menu = dynamic_cast<COptionMenu*>(control))
        {
            menu->removeAllEntry();
            for (int32 step = 0; step <= info.stepCount; ++step)
            {
                std::string entry;
                valueToString(static_cast<float>(step) / info.stepCount, entry);
                menu->addEntry(entry);
            }
            menu->setValue(plain - minimum);
        }
        else
            control->setValue(plain);
    }
    else
    {
        control->setDefaultValue(control->getMin() +
                                 static_cast<float>(info.defaultNormalizedValue) *
                                     control->getRange());
        control->setValueNormalized(static_cast<float>(normalized));
    }
    // Only a control that now looks different is redrawn.
    if (control->isDirty()) control->invalid();
}
} // namespace VSTGUI
