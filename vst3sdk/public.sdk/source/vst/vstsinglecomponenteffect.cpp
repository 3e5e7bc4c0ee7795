#include "public.sdk/source/vst/vstsinglecomponenteffect.h"

#include <algorithm>

namespace Steinberg
{
namespace Vst
{

SingleComponentEffect::SingleComponentEffect()
    : processSetup{kRealtime, kSample32, 1024, 44100.0}, audioInputs(kAudio, kInput),
      audioOutputs(kAudio, kOutput), eventInputs(kEvent, kInput), eventOutputs(kEvent, kOutput)
{
}

SingleComponentEffect::~SingleComponentEffect() = default;

tresult PLUGIN_API SingleComponentEffect::initialize(FUnknown* context)
{
    return EditController::initialize(context);
}

tresult PLUGIN_API SingleComponentEffect::terminate()
{
    parameters.removeAll();
    removeAudioBusses();
    removeEventBusses();
    return EditController::terminate();
}

tresult PLUGIN_API SingleComponentEffect::queryInterface(const TUID iid, void** obj)
{
    QUERY_INTERFACE(iid, obj, IComponent::iid, IComponent)
    QUERY_INTERFACE(iid, obj, IAudioProcessor::iid, IAudioProcessor)
    QUERY_INTERFACE(iid, obj, IProcessContextRequirements::iid, IProcessContextRequirements)
    // IPluginBase is reachable through both faces; hand out the controller's.
    return EditController::queryInterface(iid, obj);
}

// ---- buses ---------------------------------------------------------------------------------

BusList* SingleComponentEffect::getBusList(MediaType type, BusDirection dir)
{
    if (type == kAudio) return dir == kInput ? &audioInputs : &audioOutputs;
    if (type == kEvent) return dir == kInput ? &eventInputs : &eventOutputs;
    return nullptr;
}

Bus* SingleComponentEffect::getBus(MediaType type, BusDirection dir, int32 index)
{
    BusList* list = getBusList(type, dir);
    if (!list || index < 0 || index >= static_cast<int32>(list->size())) return nullptr;
    return (*list)[static_cast<size_t>(index)];
}

AudioBus* SingleComponentEffect::addAudioInput(const TChar* name, SpeakerArrangement arr,
                                               BusType busType, int32 flags)
{
    auto* bus = new AudioBus(name, busType, flags, arr);
    audioInputs.emplace_back(bus, false);
    return bus;
}

AudioBus* SingleComponentEffect::addAudioOutput(const TChar* name, SpeakerArrangement arr,
                                                BusType busType, int32 flags)
{
    auto* bus = new AudioBus(name, busType, flags, arr);
    audioOutputs.emplace_back(bus, false);
    return bus;
}

EventBus* SingleComponentEffect::addEventInput(const TChar* name, int32 channels, BusType busType,
                                               int32 flags)
{
    auto* bus = new EventBus(name, busType, flags, channels);
    eventInputs.emplace_back(bus, false);
    return bus;
}

EventBus* SingleComponentEffect::addEventOutput(const TChar* name, int32 channels, BusType busType,
                                                int32 flags)
{
    auto* bus = new EventBus(name, busType, flags, channels);
    eventOutputs.emplace_back(bus, false);
    return bus;
}

tresult SingleComponentEffect::removeAudioBusses()
{
    audioInputs.clear();
    audioOutputs.clear();
    return kResultOk;
}

tresult SingleComponentEffect::removeEventBusses()
{
    eventInputs.clear();
    eventOutputs.clear();
    return kResultOk;
}

// ---- IComponent ----------------------------------------------------------------------------

tresult PLUGIN_API SingleComponentEffect::getControllerClassId(TUID)
{
    // Processor and controller are one object: there is no controller class to name.
    return kNotImplemented;
}

tresult PLUGIN_API SingleComponentEffect::setIoMode(IoMode)
{
    return kNotImplemented;
}

int32 PLUGIN_API SingleComponentEffect::getBusCount(MediaType type, BusDirection dir)
{
    BusList* list = getBusList(type, dir);
    return list ? static_cast<int32>(list->size()) : 0;
}

tresult PLUGIN_API SingleComponentEffect::getBusInfo(MediaType type, BusDirection dir, int32 index,
                                                     BusInfo& info)
{
    Bus* bus = getBus(type, dir, index);
    if (!bus) return kInvalidArgument;
    info.mediaType = type;
    info.direction = dir;
    return bus->getInfo(info) ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API SingleComponentEffect::getRoutingInfo(RoutingInfo&, RoutingInfo&)
{
    return kNotImplemented;
}

tresult PLUGIN_API SingleComponentEffect::activateBus(MediaType type, BusDirection dir, int32 index,
                                                      TBool state)
{
    Bus* bus = getBus(type, dir, index);
    if (!bus) return kInvalidArgument;
    bus->setActive(state);
    return kResultTrue;
}

tresult PLUGIN_API SingleComponentEffect::setActive(TBool)
{
    return kResultOk;
}
tresult PLUGIN_API SingleComponentEffect::setState(IBStream*)
{
    return kNotImplemented;
}
tresult PLUGIN_API SingleComponentEffect::getState(IBStream*)
{
    return kNotImplemented;
}
tresult PLUGIN_API SingleComponentEffect::setEditorState(IBStream*)
{
    return kNotImplemented;
}
tresult PLUGIN_API SingleComponentEffect::getEditorState(IBStream*)
{
    return kNotImplemented;
}

// ---- IEditController guards ----------------------------------------------------------------

tresult PLUGIN_API SingleComponentEffect::getParameterInfo(int32 paramIndex, ParameterInfo& info)
{
    if (paramIndex < 0 || paramIndex >= parameters.getParameterCount()) return kInvalidArgument;
    return EditController::getParameterInfo(paramIndex, info);
}

tresult PLUGIN_API SingleComponentEffect::getParamStringByValue(ParamID tag,
                                                                ParamValue valueNormalized,
                                                                String128 string)
{
    // List parameters index their texts by the value: keep it inside 0..1 and finite.
    if (!(valueNormalized >= 0.0)) valueNormalized = 0.0;
    valueNormalized = std::min(valueNormalized, 1.0);
    return EditController::getParamStringByValue(tag, valueNormalized, string);
}

// ---- IAudioProcessor -----------------------------------------------------------------------

tresult PLUGIN_API SingleComponentEffect::setBusArrangements(SpeakerArrangement* inputs,
                                                             int32 numIns,
                                                             SpeakerArrangement* outputs,
                                                             int32 numOuts)
{
    if (numIns < 0 || numOuts < 0 || (numIns > 0 && !inputs) || (numOuts > 0 && !outputs))
        return kInvalidArgument;
    if (numIns > static_cast<int32>(audioInputs.size()) ||
        numOuts > static_cast<int32>(audioOutputs.size()))
        return kResultFalse;
    for (int32 i = 0; i < numIns; ++i)
        static_cast<AudioBus*>(getBus(kAudio, kInput, i))->setArrangement(inputs[i]);
    for (int32 i = 0; i < numOuts; ++i)
        static_cast<AudioBus*>(getBus(kAudio, kOutput, i))->setArrangement(outputs[i]);
    return kResultTrue;
}

tresult PLUGIN_API SingleComponentEffect::getBusArrangement(BusDirection dir, int32 index,
                                                            SpeakerArrangement& arr)
{
    auto* bus = static_cast<AudioBus*>(getBus(kAudio, dir, index));
    if (!bus) return kInvalidArgument;
    arr = bus->getArrangement();
    return kResultTrue;
}

tresult PLUGIN_API SingleComponentEffect::canProcessSampleSize(int32 symbolicSampleSize)
{
    return symbolicSampleSize == kSample32 ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API SingleComponentEffect::setupProcessing(ProcessSetup& setup)
{
    if (canProcessSampleSize(setup.symbolicSampleSize) != kResultTrue) return kResultFalse;
    processSetup = setup;
    return kResultOk;
}

tresult PLUGIN_API SingleComponentEffect::setProcessing(TBool)
{
    return kNotImplemented;
}
tresult PLUGIN_API SingleComponentEffect::process(ProcessData&)
{
    return kNotImplemented;
}

} // namespace Vst
} // namespace Steinberg
