// Opcodes answered from the parameter list, the buses and the processor's reports.
#include "Vst2Adapter.h"

#include "Vst2Text.h"

#include <cstring>
#include <limits>
#include <string>

namespace Steinberg
{
namespace Vst
{

namespace
{
struct SpeakerArrangementHead // the leading fields of the host's speaker arrangement record
{
    int32_t type;
    int32_t channels;
};
} // namespace

intptr_t Vst2Adapter::parameterText(int32 opcode, int32 hostIndex, char* text) const
{
    if (!text) return 0;
    text[0] = 0;
    const int32 i = parameters.indexOfHost(hostIndex);
    if (i < 0) return 0;
    const ParameterInfo& info = parameters.info(i);
    switch (opcode)
    {
    case Vst2Abi::kGetParamName:
        Vst2Text::fromUtf16(info.title, text, Vst2Abi::kParamNameCapacity);
        return 1;
    case Vst2Abi::kGetParamLabel:
        Vst2Text::fromUtf16(info.units, text, Vst2Abi::kParamLabelCapacity);
        return 1;
    default:
    {
        String128 display{};
        if (controller->getParamStringByValue(info.id, mirror.value(i), display) != kResultOk)
            return 0;
        Vst2Text::fromUtf16(display, text, Vst2Abi::kParamDisplayCapacity);
        return 1;
    }
    }
}

intptr_t Vst2Adapter::parameterProperties(int32 hostIndex,
                                          Vst2Abi::ParameterProperties* properties) const
{
    const int32 i = parameters.indexOfHost(hostIndex);
    if (i < 0 || !properties) return 0;
    const ParameterInfo& info = parameters.info(i);
    std::memset(properties, 0, sizeof(*properties));
    Vst2Text::fromUtf16(info.title, properties->label, sizeof(properties->label));
    Vst2Text::fromUtf16(info.shortTitle, properties->shortLabel, sizeof(properties->shortLabel));
    if (info.stepCount == 1) properties->flags |= Vst2Abi::kParamIsSwitch;
    return 1;
}

intptr_t Vst2Adapter::pinProperties(BusDirection dir, int32 pin,
                                    Vst2Abi::PinProperties* properties) const
{
    const int32 pins = dir == kInput ? record.num_inputs : record.num_outputs;
    BusInfo bus{};
    if (!properties || pin < 0 || pin >= pins ||
        component->getBusInfo(kAudio, dir, 0, bus) != kResultOk)
        return 0;
    std::memset(properties, 0, sizeof(*properties));
    char name[48];
    Vst2Text::fromUtf16(bus.name, name, sizeof(name));
    const std::string label = std::string(name) + (pin == 0 ? " L" : " R");
    Vst2Text::fromUtf8(label.c_str(), properties->label, sizeof(properties->label));
    Vst2Text::fromUtf8(pin == 0 ? "L" : "R", properties->shortLabel,
                       sizeof(properties->shortLabel));
    properties->flags = Vst2Abi::kPinIsActive | Vst2Abi::kPinIsStereo;
    properties->arrangementType = VST_ARRANGEMENT_TYPE_STEREO;
    return 1;
}

// 1 for what the plug-in does, -1 for what it certainly does not, 0 for anything else.
intptr_t Vst2Adapter::canDo(const char* feature) const
{
    if (!feature) return 0;
    const auto is = [feature](const char* name) { return std::strcmp(feature, name) == 0; };
    if (is("receiveVstEvents") || is("receiveVstMidiEvent")) return hasEventInput() ? 1 : -1;
    if (is("bypass")) return parameters.bypassIndex() >= 0 ? 1 : -1;
    if (is("receiveVstTimeInfo") || is("plugAsChannelInsert") || is("plugAsSend") || is("2in2out"))
        return 1;
    if (is("sendVstEvents") || is("sendVstMidiEvent") || is("offline") || is("midiProgramNames"))
        return -1;
    return 0;
}

// VST2 reads 0 as "unknown" and 1 as "no tail".
intptr_t Vst2Adapter::tailSize() const
{
    const uint32 tail = processor->getTailSamples();
    if (tail == kNoTail) return 1;
    constexpr uint32 most = static_cast<uint32>(std::numeric_limits<int32_t>::max());
    return tail < most ? static_cast<intptr_t>(tail) : static_cast<intptr_t>(most);
}

// The effect record announces two inputs and two outputs; only that is accepted.
intptr_t Vst2Adapter::acceptsArrangement(const void* inputs, const void* outputs) const
{
    const auto* in = static_cast<const SpeakerArrangementHead*>(inputs);
    const auto* out = static_cast<const SpeakerArrangementHead*>(outputs);
    if (!out || out->channels != kChannels) return 0;
    if (record.num_inputs == 0) return 1;
    return in && in->channels == kChannels ? 1 : 0;
}

bool Vst2Adapter::hasEventInput() const
{
    return component->getBusCount(kEvent, kInput) > 0;
}

} // namespace Vst
} // namespace Steinberg
