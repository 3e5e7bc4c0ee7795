// The audio side's set-up: the effect, buses, event list, update queues, sample rate and
// activation, and what it tells the host about latency and tail.
#include "vst3/ProcessorAudio.h"

#include "vst3/CVSTMidiEventList.h"
#include "vst3/CVSTParamUpdateQueue.h"

#include "pluginterfaces/vst/vstspeaker.h"

#include <climits>
#include <cmath>
#include <cstring>

namespace Steinberg::Vst::Veru2ZOR3
{
namespace
{
// A rate the effect can work with: positive once truncated to whole Hz, and within int32.
bool isUsableRate(SampleRate rate)
{
    return rate >= 1.0 && rate <= INT_MAX;
}
} // namespace

ProcessorAudio::ProcessorAudio(EffectFactory effectFactory) : m_createEffect(effectFactory)
{
    // Transport position, tempo and time signature reach the effect's timing block.
    processContextRequirements =
        IProcessContextRequirements::kNeedTempo | IProcessContextRequirements::kNeedTimeSignature;
    createEffect();
    m_bypass = false;
}

ProcessorAudio::~ProcessorAudio() = default;

void ProcessorAudio::createEffect()
{
    m_plugIn.reset(m_createEffect ? m_createEffect() : nullptr);
    if (!m_plugIn) return;
    m_plugIn->postConstruct();
    const float latency = m_plugIn->m_fLatencySamples;
    m_latencySamples =
        latency > 0.0f && latency < static_cast<float>(INT_MAX) ? static_cast<int32>(latency) : 0;
    m_enableSidechain = m_plugIn->m_nSidechain != 0;
    m_sampleAccurate = m_plugIn->m_nAutomationQueues != 0;
    m_sampleAccuracy = m_plugIn->m_nQueueSetting;
    m_handOver.attach(m_plugIn.get(), &m_bypass);
}

ControlRecord* ProcessorAudio::controlAt(uint32 position) const
{
    return m_plugIn ? m_plugIn->m_Controls.find(position) : nullptr;
}

// ---- lifecycle -----------------------------------------------------------------------------

tresult PLUGIN_API ProcessorAudio::initialize(FUnknown* context)
{
    const tresult result = SingleComponentEffect::initialize(context);
    if (result != kResultOk) return result;
    addAudioOutput(STR16("Audio Output"), SpeakerArr::kStereo);
    if (!m_plugIn || !m_plugIn->m_bInstrument)
    {
        addAudioInput(STR16("AudioInput"), SpeakerArr::kStereo);
        if (m_enableSidechain) addAudioInput(STR16("AuxInput"), SpeakerArr::kStereo, kAux);
    }
    addEventInput(STR16("Event Input"), 16);
    if (!m_plugIn) createEffect();
    handOverEventList();
    createUpdateQueues();
    noteOutputChannels();
    return result;
}

void ProcessorAudio::noteOutputChannels()
{
    SpeakerArrangement arrangement = 0;
    getBusArrangement(kOutput, 0, arrangement);
    m_outputChannels.store(SpeakerArr::getChannelCount(arrangement), std::memory_order_relaxed);
}

void ProcessorAudio::createUpdateQueues()
{
    if (!m_plugIn || !m_sampleAccurate) return;
    const uint32 count = m_plugIn->m_Controls.count();
    m_paramUpdateQueues.resize(count);
    // Positions from the first reserved id on would collide with the extra parameters.
    for (uint32 i = 0; i < count && i < ParameterIds::kMaxControls; ++i)
    {
        if (const ControlRecord* record = controlAt(i))
            m_paramUpdateQueues[i] = std::make_unique<CVSTParamUpdateQueue>(
                record->minValue, record->maxValue, m_sampleAccuracy);
    }
}

void ProcessorAudio::handOverEventList()
{
    if (!m_plugIn) return;
    m_midiEventList = std::make_unique<CVSTMidiEventList>(m_plugIn.get());
    ::HostMessage message;
    message.eventList = m_midiEventList.get();
    m_plugIn->hostMessage(::HostMessage::kEventList, &message);
}

tresult PLUGIN_API ProcessorAudio::terminate()
{
    m_meterIndexes.clear();
    if (m_plugIn)
    {
        // The effect outlives the queues: it must not keep pointing at them.
        for (uint32 i = 0; i < m_plugIn->m_Controls.count(); ++i)
        {
            if (ControlRecord* record = controlAt(i)) record->automationQueue = nullptr;
        }
        ::HostMessage message;
        m_plugIn->hostMessage(::HostMessage::kEventList, &message);
    }
    m_paramUpdateQueues.clear();
    m_midiEventList.reset();
    const tresult result = SingleComponentEffect::terminate();
    noteOutputChannels();
    return result;
}

void ProcessorAudio::setEffectRate(SampleRate rate)
{
    if (!m_plugIn) createEffect();
    if (!m_plugIn) return;
    m_plugIn->m_nRateHz = static_cast<int32>(rate);
    m_plugIn->prepare();
}

tresult PLUGIN_API ProcessorAudio::setActive(TBool state)
{
    if (state) setEffectRate(processSetup.sampleRate);
    // From activation on, process may run at any time; on deactivation anything still pending
    // is applied here.
    m_handOver.setProcessing(state != 0);
    return kResultOk;
}

tresult PLUGIN_API ProcessorAudio::setProcessing(TBool state)
{
    m_handOver.setProcessing(state != 0);
    return SingleComponentEffect::setProcessing(state);
}

tresult PLUGIN_API ProcessorAudio::setupProcessing(ProcessSetup& setup)
{
    // A rate of zero, a negative or a non-finite one would reach the effect's filters and the
    // tail report; such a set-up is refused and the previous one stays in force.
    if (!isUsableRate(setup.sampleRate)) return kInvalidArgument;
    const tresult result = SingleComponentEffect::setupProcessing(setup);
    if (result == kResultOk) setEffectRate(processSetup.sampleRate);
    return result;
}

tresult PLUGIN_API ProcessorAudio::setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                                      SpeakerArrangement* outputs, int32 numOuts)
{
    if (!m_plugIn || numIns < 0 || numOuts < 0 || (numIns > 0 && !inputs) ||
        (numOuts > 0 && !outputs))
        return kResultFalse;
    // The process call moves at most two channels per bus: wider arrangements are refused.
    auto fits = [](SpeakerArrangement arr)
    {
        const int32 channels = SpeakerArr::getChannelCount(arr);
        return channels == 1 || channels == 2;
    };
    bool accepted = false;
    if (m_plugIn->m_bInstrument)
        accepted = numIns == 0 && numOuts == 1 && outputs[0] == SpeakerArr::kStereo;
    else
        accepted = numIns == 1 && numOuts == 1 && inputs[0] == outputs[0] && fits(outputs[0]);
    if (!accepted) return kResultFalse;
    const tresult result =
        SingleComponentEffect::setBusArrangements(inputs, numIns, outputs, numOuts);
    noteOutputChannels();
    return result;
}

uint32 PLUGIN_API ProcessorAudio::getLatencySamples()
{
    return static_cast<uint32>(m_latencySamples);
}

uint32 PLUGIN_API ProcessorAudio::getTailSamples()
{
    if (!m_plugIn) return 0;
    if (m_plugIn->m_nInfiniteTail == 1) return kInfiniteTail;
    const double tail = m_plugIn->m_fTailMs / 1000.0 * processSetup.sampleRate;
    if (!(tail > 0.0)) return 0;
    return tail < static_cast<double>(kInfiniteTail) ? static_cast<uint32>(tail)
                                                     : kInfiniteTail - 1;
}

} // namespace Steinberg::Vst::Veru2ZOR3
