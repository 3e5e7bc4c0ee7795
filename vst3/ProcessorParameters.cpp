// Host parameters: one per control record of the effect, then the fixed extras.
#include "vst3/ProcessorModel.h"

#include "vst3/LogParameter.h"
#include "vst3/ParameterText.h"
#include "vst3/PeakParameter.h"
#include "vst3/VoltOctaveParameter.h"

#include <string>

namespace Steinberg::Vst::Veru2ZOR3
{
namespace
{
bool isValueControl(uint32 type)
{
    return type == ControlRecord::kControl || type == ControlRecord::kControl2 ||
           type == ControlRecord::kControl4 || type == ControlRecord::kControl6;
}

// The list's shown name of one comma-separated item: the switch items read "OFF" and "ON".
std::string itemText(const std::string& item)
{
    if (item == "SWITCH_OFF") return "OFF";
    if (item == "SWITCH_ON") return "ON";
    return item;
}

StringListParameter* makeListParameter(uint32 position, const ControlRecord& record)
{
    auto* parameter = new StringListParameter(toString128(record.name), position, nullptr,
                                              ParameterInfo::kCanAutomate | ParameterInfo::kIsList);
    const std::string list = record.enumList ? record.enumList : "";
    size_t start = 0;
    while (true)
    {
        const size_t comma = list.find(',', start);
        const std::string item =
            list.substr(start, comma == std::string::npos ? comma : comma - start);
        parameter->appendString(toString128(itemText(item).c_str()));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return parameter;
}

RangeParameter* makeRangeParameter(uint32 position, const ControlRecord& record,
                                   double defaultPlain)
{
    const UString128 title = toString128(record.name);
    const UString128 units = toString128(record.units);
    const double minPlain = record.minValue;
    const double maxPlain = record.maxValue;
    RangeParameter* parameter = nullptr;
    if (record.logScale)
        parameter = new LogParameter(title, position, units, minPlain, maxPlain, defaultPlain, 0,
                                     ParameterInfo::kCanAutomate, kRootUnitId);
    else if (record.voltOctave)
        parameter =
            new VoltOctaveParameter(title, position, units, minPlain, maxPlain, defaultPlain, 0,
                                    ParameterInfo::kCanAutomate, kRootUnitId);
    else
        parameter = new RangeParameter(title, position, units, minPlain, maxPlain, defaultPlain, 0,
                                       ParameterInfo::kCanAutomate, kRootUnitId);
    parameter->setPrecision(record.valueType == ControlRecord::kInt ? 0 : record.precision);
    return parameter;
}

// A 0..1 parameter of the processor's own, in the root unit with no units text.
RangeParameter* addExtraParameter(ParameterContainer& parameters, const char* title, ParamID id,
                                  double defaultPlain, int32 flags)
{
    auto* parameter = new RangeParameter(toString128(title), id, STR16(""), 0.0, 1.0, defaultPlain,
                                         0, flags, kRootUnitId);
    parameters.addParameter(parameter);
    return parameter;
}

struct MidiControllerParameter
{
    const char* title;
    ParamID id;
};

// In registration order, which is the order hosts list them in.
constexpr MidiControllerParameter kMidiControllerParameters[] = {
    {"PitchBend", ParameterIds::kPitchBend},
    {"MIDI Vol", ParameterIds::kMidiVolume},
    {"MIDI Pan", ParameterIds::kMidiPan},
    {"MIDI Mod Wheel", ParameterIds::kModWheel},
    {"MIDI Expression", ParameterIds::kExpression},
    {"MIDI Channel Pressure", ParameterIds::kChannelPressure},
    {"MIDI Sustain Pedal", ParameterIds::kSustainPedal},
    {"All Notes Off", ParameterIds::kAllNotesOff},
};
} // namespace

void ProcessorModel::registerControlParameters()
{
    if (!m_plugIn) return;
    const uint32 count = m_plugIn->m_Controls.count();
    // Positions from the first reserved id on would collide with the extra parameters.
    for (uint32 i = 0; i < count && i < ParameterIds::kMaxControls; ++i)
    {
        if (const ControlRecord* record = controlAt(i)) registerControlParameter(i, *record);
    }
}

void ProcessorModel::registerControlParameter(uint32 position, const ControlRecord& record)
{
    if (record.type == ControlRecord::kMeter)
    {
        auto* meter =
            new PeakParameter(ParameterInfo::kIsReadOnly, position, toString128(record.name));
        parameters.addParameter(meter);
        meter->setNormalized(0.0);
        m_meterIndexes.push_back(static_cast<int32>(position));
        return;
    }
    if (!isValueControl(record.type)) return;
    const double currentPlain = m_plugIn->getControlValue(position);
    if (record.valueType == ControlRecord::kUint)
    {
        StringListParameter* list = makeListParameter(position, record);
        // The list starts at the control's present item, as the other parameters do.
        const double item = currentPlain - record.minValue;
        list->getInfo().defaultNormalizedValue = list->toNormalized(item);
        list->setNormalized(list->getInfo().defaultNormalizedValue);
        parameters.addParameter(list);
        return;
    }
    parameters.addParameter(makeRangeParameter(position, record, currentPlain));
}

void ProcessorModel::registerExtraParameters()
{
    constexpr int32 automatable = ParameterInfo::kCanAutomate;
    if (m_plugIn)
    {
        addExtraParameter(parameters, "VectorJoystick X", ParameterIds::kJoystickX, 0.5,
                          automatable)
            ->setPrecision(2);
        addExtraParameter(parameters, "VectorJoystick Y", ParameterIds::kJoystickY, 0.5,
                          automatable)
            ->setPrecision(2);
        for (uint32 k = 0; k < ParameterIds::kButtonCount; ++k)
        {
            const char* label = m_plugIn->m_pButtonLabel[k];
            if (label && label[0] != 0)
                addExtraParameter(parameters, label, ParameterIds::kButton1 + k, 0.0, automatable)
                    ->setPrecision(0);
        }
    }
    addExtraParameter(parameters, "Bypass", ParameterIds::kBypass, 0.0,
                      automatable | ParameterInfo::kIsBypass);
    for (const MidiControllerParameter& midi : kMidiControllerParameters)
        addExtraParameter(parameters, midi.title, midi.id, 0.0, automatable)->setPrecision(1);
}

} // namespace Steinberg::Vst::Veru2ZOR3
