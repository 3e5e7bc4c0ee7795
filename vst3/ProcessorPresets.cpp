// Program change to a factory preset, and the effect's linked controls.
#include "vst3/ProcessorModel.h"

#include "vst3/ValueTapers.h"

#include <algorithm>
#include <cmath>

namespace Steinberg::Vst::Veru2ZOR3
{
namespace
{
// The joystick's stored corners are rotated into axis positions on the way in.
constexpr double kRoot2 = 1.41421356;

// Linear position of a plain value in the control's range; 0 for an empty range.
double linearPosition(const ControlRecord& record, double plain)
{
    const double span = static_cast<double>(record.maxValue) - record.minValue;
    return span != 0.0 ? (plain - record.minValue) / span : 0.0;
}
} // namespace

tresult ProcessorModel::setHostValue(ParamID id, ParamValue normalized)
{
    if (!std::isfinite(normalized)) return kInvalidArgument;
    return EditController::setParamNormalized(id, std::clamp(normalized, 0.0, 1.0));
}

void ProcessorModel::applyFactoryPreset(ParamValue value)
{
    Parameter* presets = presetParameter();
    if (!m_plugIn || !presets) return;
    const int32 program = static_cast<int32>(presets->toPlain(value));
    if (program < 0 || program >= CPlugIn::kPresetCount) return;

    const uint32 count = m_plugIn->m_Controls.count();
    for (uint32 i = 0; i < count; ++i)
    {
        const ControlRecord* record = controlAt(i);
        if (!record) continue;
        const float stored = static_cast<float>(record->presetValue[program]);
        const double lin = linearPosition(*record, stored);
        double host = lin;
        if (record->logScale)
            host = ValueTapers::logHostValue(lin);
        else if (record->voltOctave)
            host = ValueTapers::voltOctaveToNormalized(stored, record->minValue, record->maxValue);
        m_handOver.setNormalizedValue(i, static_cast<float>(lin));
        setHostValue(i, host);
        m_handOver.reportParameter(i, host);
        m_handOver.sendEditorMessage(EditorMessage::kParameterValue, static_cast<int32>(i), host);
    }

    const double a = m_plugIn->m_JoystickX.presetValue[program];
    const double b = m_plugIn->m_JoystickY.presetValue[program];
    const double x = (a - b) / kRoot2 / 1.414;
    const double y = (a + b) / kRoot2 / 1.414;
    m_handOver.setJoystickX(static_cast<float>(x));
    setHostValue(ParameterIds::kJoystickX, x * 0.5 + 0.5);
    m_handOver.reportParameter(ParameterIds::kJoystickX, x * 0.5 + 0.5);
    m_handOver.sendEditorMessage(EditorMessage::kParameterValue, ParameterIds::kJoystickX,
                                 x * 0.5 + 0.5);
    m_handOver.setJoystickY(static_cast<float>(y));
    setHostValue(ParameterIds::kJoystickY, y * 0.5 + 0.5);
    m_handOver.reportParameter(ParameterIds::kJoystickY, y * 0.5 + 0.5);
    m_handOver.sendEditorMessage(EditorMessage::kParameterValue, ParameterIds::kJoystickY,
                                 y * 0.5 + 0.5);

    requestParameterRefresh();
    refreshLinkedControls();
}

// A host that sets the program parameter may hold its own locks while it does, and answer a
// restart request by taking them again: the request waits for the next editor timer tick.
// With no editor open the host hears of the new values from the next process block instead.
void ProcessorModel::requestParameterRefresh()
{
    if (m_openEditors > 0) m_refreshPending = true;
}

void ProcessorModel::deliverParameterRefresh()
{
    if (!m_refreshPending) return;
    m_refreshPending = false;
    if (componentHandler) componentHandler->restartComponent(kParamValuesChanged);
}

void ProcessorModel::applyLinkedUpdate(const LinkedUpdate& update)
{
    const uint32 count = m_plugIn->m_Controls.count();
    for (uint32 k = 0; k < count; ++k)
    {
        const ControlRecord* target = controlAt(k);
        if (!target || target->id != update.controlId) continue;
        const ParamValue normalized = plainParamToNormalized(k, update.value);
        setParamNormalized(k, normalized);
        performEdit(k, normalized);
        return;
    }
}

void ProcessorModel::refreshLinkedControls()
{
    if (!m_plugIn) return;
    const uint32 count = m_plugIn->m_Controls.count();
    for (uint32 i = 0; i < count; ++i)
    {
        const ControlRecord* record = controlAt(i);
        if (!record) continue;
        const ParamValue plain = normalizedParamToPlain(i, getParamNormalized(i));
        LinkedUpdate* updates = nullptr;
        m_plugIn->collectLinkedUpdates(record->id, static_cast<float>(plain), &updates, true);
        for (const LinkedUpdate* update = updates; update; update = update->next)
            applyLinkedUpdate(*update);
        m_plugIn->freeLinkedUpdates(updates);
    }
}

} // namespace Steinberg::Vst::Veru2ZOR3
