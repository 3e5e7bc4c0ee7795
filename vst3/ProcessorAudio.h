// The audio side of the plug-in's one VST3 component: the process call with its parameter
// queues, bypass, meters and event list, the processing set-up, and the consumer end of the
// hand-over that makes the audio thread the effect's only writer while processing.
//
// Threads: process runs on the host's audio thread (setProcessing may come from there too).
// The set-up calls (initialize, terminate, setupProcessing, setActive, setBusArrangements,
// latency and tail) come from the UI thread while no process call runs.
#pragma once

// Must come first: it renames the edit controller's state pair (see there).
#include "public.sdk/source/vst/vstsinglecomponenteffect.h"

#include "core/CPlugIn.h"
#include "vst3/ParameterIds.h"
#include "vst3/handover/EffectHandOver.h"

#include "pluginterfaces/vst/ivstparameterchanges.h"

#include <atomic>
#include <memory>
#include <vector>

namespace Steinberg::Vst::Veru2ZOR3
{

class CVSTMidiEventList;
class CVSTParamUpdateQueue;

class ProcessorAudio : public SingleComponentEffect
{
  public:
    // Makes the effect the processor owns; the default one makes the room effect.
    using EffectFactory = CPlugIn* (*)();

    explicit ProcessorAudio(EffectFactory effectFactory);
    ~ProcessorAudio() override;

    //---IPluginBase: buses, the event list and the update queues
    tresult PLUGIN_API initialize(FUnknown* context) SMTG_OVERRIDE;
    tresult PLUGIN_API terminate() SMTG_OVERRIDE;

    //---IComponent
    tresult PLUGIN_API setActive(TBool state) SMTG_OVERRIDE;

    //---IAudioProcessor
    tresult PLUGIN_API setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                          SpeakerArrangement* outputs, int32 numOuts) SMTG_OVERRIDE;
    uint32 PLUGIN_API getLatencySamples() SMTG_OVERRIDE;
    tresult PLUGIN_API setupProcessing(ProcessSetup& setup) SMTG_OVERRIDE;
    tresult PLUGIN_API setProcessing(TBool state) SMTG_OVERRIDE;
    tresult PLUGIN_API process(ProcessData& data) SMTG_OVERRIDE;
    uint32 PLUGIN_API getTailSamples() SMTG_OVERRIDE;

  protected:
    void createEffect();
    ControlRecord* controlAt(uint32 position) const;

    std::unique_ptr<CPlugIn> m_plugIn;
    bool m_bypass = false;
    // Filled when the parameters are registered.
    std::vector<int32> m_meterIndexes;
    // The UI thread's writes to the effect on their way to the audio thread.
    EffectHandOver m_handOver;

  private:
    void setEffectRate(SampleRate rate);
    void handOverEventList();
    void createUpdateQueues();
    void noteOutputChannels();

    // The process call (ProcessorProcess.cpp).
    tresult processBlock(ProcessData& data);
    static bool carriesChanges(const ProcessData& data);
    void applyParameterChanges(ProcessData& data);
    void detachAutomationQueues(int32 numSamples);
    void applyControlChange(uint32 position, ParamValue value, IParamValueQueue& queue,
                            int32 pointCount, int32 numSamples);
    void applyExtraParameter(ParamID id, ParamValue value);
    void processBypassed(ProcessData& data, int32 channels);
    static void reportOutputSilence(ProcessData& data, int32 channels);
    void processChannelBuffers(ProcessData& data, int32 channels);
    void processFrames(ProcessData& data, int32 channels, TimingBlock& timing,
                       ::HostMessage& transport, double secondsPerSample);
    void processRuns(ProcessData& data, int32 channels, TimingBlock& timing,
                     ::HostMessage& transport, double secondsPerSample);
    void processFrameByFrame(ProcessData& data, int32 channels, const AudioBusBuffers* sidechainBus,
                             TimingBlock& timing, ::HostMessage& transport,
                             double secondsPerSample);
    void reportMeters(ProcessData& data, bool asZero);
    void reportHandedOverParameters(ProcessData& data);

    int32 m_latencySamples = 0;
    // The output bus's channel count, kept as its arrangement changes: asking the bus list every
    // block would follow three pointers to memory a host's other work has evicted.
    std::atomic<int32> m_outputChannels{0};
    bool m_enableSidechain = false;
    std::vector<std::unique_ptr<CVSTParamUpdateQueue>> m_paramUpdateQueues;
    int32 m_sampleAccuracy = 1;
    bool m_sampleAccurate = false;
    std::unique_ptr<CVSTMidiEventList> m_midiEventList;

    EffectFactory m_createEffect;
};

} // namespace Steinberg::Vst::Veru2ZOR3
