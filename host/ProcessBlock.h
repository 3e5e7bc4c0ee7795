#pragma once

#include "host/PluginInstance.h"

#include "pluginterfaces/vst/ivstevents.h"
#include "pluginterfaces/vst/ivstprocesscontext.h"
#include "public.sdk/source/vst/hosting/eventlist.h"
#include "public.sdk/source/vst/hosting/parameterchanges.h"
#include "public.sdk/source/vst/hosting/processdata.h"

namespace vevadur::host
{

// Everything a host hands an active instance with one process call: the audio of its main
// buses, parameter changes, events and the transport. Changes and events are queued before
// the call and cleared after it; the transport advances by the block's length.
class ProcessBlock
{
  public:
    explicit ProcessBlock(PluginInstance& instance, Steinberg::int32 maxEvents = 512);

    // Queue a parameter change (normalised value at a sample offset) or an event.
    void addParameterChange(Steinberg::Vst::ParamID id, Steinberg::int32 offset,
                            Steinberg::Vst::ParamValue value);
    bool addEvent(const Steinberg::Vst::Event& event);

    // Processes numSamples frames from the given channels into the given channels. Channel
    // counts follow the instance's bus arrangement. Inputs are never written.
    Steinberg::tresult process(const float* const* inputs, float* const* outputs,
                               Steinberg::int32 numSamples);
    // A call with no audio at all, as hosts send to flush parameter changes.
    Steinberg::tresult flush();

    // The transport the next call reports; the process context is left out when disabled.
    Steinberg::Vst::ProcessContext& context() { return m_context; }
    void setContextEnabled(bool enabled) { m_contextEnabled = enabled; }

    // What the instance reported back during the last call (meters).
    Steinberg::Vst::ParameterChanges& outputChanges() { return m_outputChanges; }
    // The last value the instance reported for a parameter, if it did.
    bool lastOutputValue(Steinberg::Vst::ParamID id, Steinberg::Vst::ParamValue& value);

    // The silence flags the instance set on its main output during the last call: bit c for
    // channel c holding only zeros. Cleared before every call.
    Steinberg::uint64 outputSilenceFlags() const;

    Steinberg::int32 inputChannels() const { return m_inputChannels; }
    Steinberg::int32 outputChannels() const { return m_outputChannels; }

  private:
    Steinberg::tresult run(Steinberg::int32 numSamples);
    void afterCall(Steinberg::int32 numSamples);

    PluginInstance& m_instance;
    Steinberg::Vst::HostProcessData m_data;
    Steinberg::Vst::ParameterChanges m_inputChanges;
    Steinberg::Vst::ParameterChanges m_outputChanges;
    Steinberg::Vst::EventList m_events;
    Steinberg::Vst::ProcessContext m_context{};
    bool m_contextEnabled = true;
    Steinberg::int32 m_inputChannels = 0;
    Steinberg::int32 m_outputChannels = 0;
};

} // namespace vevadur::host
