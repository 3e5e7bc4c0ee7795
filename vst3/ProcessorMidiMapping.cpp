// MIDI controllers hosts turn into parameter changes instead of events.
#include "vst3/ProcessorModel.h"

#include "pluginterfaces/vst/ivstmidicontrollers.h"

namespace Steinberg::Vst::Veru2ZOR3
{
namespace
{
struct ControllerAssignment
{
    CtrlNumber controller;
    ParamID id;
};

constexpr ControllerAssignment kFixedAssignments[] = {
    {kCtrlModWheel, ParameterIds::kModWheel},
    {kCtrlVolume, ParameterIds::kMidiVolume},
    {kCtrlPan, ParameterIds::kMidiPan},
    {kCtrlExpression, ParameterIds::kExpression},
    {kCtrlSustainOnOff, ParameterIds::kSustainPedal},
    {kCtrlAllNotesOff, ParameterIds::kAllNotesOff},
    {kAfterTouch, ParameterIds::kChannelPressure},
    {kPitchBend, ParameterIds::kPitchBend},
};
} // namespace

tresult PLUGIN_API ProcessorModel::getMidiControllerAssignment(int32 busIndex, int16,
                                                               CtrlNumber controller, ParamID& id)
{
    if (!m_plugIn || busIndex != 0) return kResultFalse;
    for (const ControllerAssignment& fixed : kFixedAssignments)
    {
        if (fixed.controller == controller)
        {
            id = fixed.id;
            return kResultOk;
        }
    }
    // Otherwise the last control that listens to this controller.
    bool found = false;
    const uint32 count = m_plugIn->m_Controls.count();
    for (uint32 i = 0; i < count; ++i)
    {
        const ControlRecord* record = controlAt(i);
        if (record && record->midiEnabled &&
            record->midiController == static_cast<uint32>(controller))
        {
            id = i;
            found = true;
        }
    }
    if (!found) id = 0;
    return found ? kResultOk : kResultFalse;
}

} // namespace Steinberg::Vst::Veru2ZOR3
