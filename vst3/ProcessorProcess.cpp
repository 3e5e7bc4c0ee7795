// The audio thread's entry: parameter changes, transport, events, frames, meters.
#include "vst3/ProcessorAudio.h"

#include "core/SilentSamples.h"
#include "vst3/CVSTMidiEventList.h"
#include "vst3/CVSTParamUpdateQueue.h"
#include "vst3/DenormalGuard.h"
#include "vst3/MidiEventDispatch.h"
#include "vst3/ValueTapers.h"

#include "pluginterfaces/vst/ivstparameterchanges.h"
#include "pluginterfaces/vst/ivstprocesscontext.h"
#include "pluginterfaces/vst/vstspeaker.h"

#include <algorithm>
#include <cmath>

namespace Steinberg::Vst::Veru2ZOR3
{
namespace
{
// Input of an instrument in channel-buffer mode: it must not read it, so a short one will do.
constexpr int kDummyInputLength = 32;
const float kDummyChannel[kDummyInputLength] = {};

// A controller value 0..127 from a normalised value.
int toMidiValue(ParamValue v)
{
    return static_cast<int>(static_cast<float>(v) * 127.0f);
}

// The host's normalised value, limited to 0..1; false for a NaN, which is skipped.
bool readLastValue(IParamValueQueue& queue, int32 pointCount, ParamValue& value)
{
    int32 offset = 0;
    if (queue.getPoint(pointCount - 1, offset, value) != kResultOk || std::isnan(value))
        return false;
    value = std::clamp(value, 0.0, 1.0);
    return true;
}

// The audio channels of a bus that can be used this block: at most two, and only when the
// host supplied every pointer among them.
int32 usableChannels(const AudioBusBuffers& bus, int32 wanted)
{
    const int32 channels = std::min({bus.numChannels, wanted, int32(2)});
    if (channels <= 0 || !bus.channelBuffers32) return 0;
    for (int32 c = 0; c < channels; ++c)
    {
        if (!bus.channelBuffers32[c]) return 0;
    }
    return channels;
}

// Asks for the start of the main input's samples. Other tracks and plug-ins have run since the
// host wrote them, so they come from main memory: asked for first, they arrive while the
// parameter changes and events are handled instead of when the effect reads them. A prefetch
// never faults, and the effect reads them anyway (a silent block reads nothing else as large).
void prefetchInput(const ProcessData& data)
{
    constexpr int32 kLine = 64;
    constexpr int32 kMaxBytes = 1024; // the hardware's own prefetching takes over from there
    if (data.numInputs < 1 || !data.inputs || data.numSamples <= 0) return;
    const AudioBusBuffers& bus = data.inputs[0];
    const int32 channels = usableChannels(bus, 2);
    const int32 bytes =
        std::min(data.numSamples, kMaxBytes / int32(sizeof(float))) * int32(sizeof(float));
    for (int32 c = 0; c < channels; ++c)
    {
        const char* samples = reinterpret_cast<const char*>(bus.channelBuffers32[c]);
        for (int32 at = 0; at < bytes; at += kLine)
            __builtin_prefetch(samples + at);
    }
}
} // namespace

tresult PLUGIN_API ProcessorAudio::process(ProcessData& data)
{
    if (!m_plugIn) return kResultFalse;
    prefetchInput(data);
    const DenormalGuard flushDenormals;
    // The UI side's changes first, in the order they were made; then this block.
    const bool handedOver = m_handOver.applyPending();
    const tresult result = processBlock(data);
    // Only what a block applies (handed-over changes, the host's parameter changes and events)
    // and smoothing write stored values. A block without any leaves the published ones as they
    // are, and their lines to the UI side.
    if (handedOver || carriesChanges(data) || m_sampleAccurate || m_plugIn->smoothingActive())
        m_handOver.publish();
    reportHandedOverParameters(data);
    return result;
}

bool ProcessorAudio::carriesChanges(const ProcessData& data)
{
    IParameterChanges* changes = data.inputParameterChanges;
    IEventList* events = data.inputEvents;
    return (changes && changes->getParameterCount() > 0) || (events && events->getEventCount() > 0);
}

tresult ProcessorAudio::processBlock(ProcessData& data)
{
    const int32 channels = m_outputChannels.load(std::memory_order_relaxed);

    // Parameter changes come first, also in a block without audio: hosts flush automation
    // that way (no buffers, no samples).
    applyParameterChanges(data);

    const bool instrument = m_plugIn->m_bInstrument;
    const int32 outChannels =
        data.outputs && data.numOutputs > 0 ? usableChannels(data.outputs[0], channels) : 0;
    const int32 inChannels =
        data.inputs && data.numInputs > 0 ? usableChannels(data.inputs[0], channels) : 0;
    if (outChannels == 0 || (!instrument && inChannels == 0)) return kResultOk;

    // Transport: the timing block as of the block's first frame.
    TimingBlock timing;
    ::HostMessage transport;
    transport.timing = &timing;
    transport.count = -1;
    const int32 rate = m_plugIn->m_nRateHz;
    const double secondsPerSample = rate > 0 ? 1.0 / rate : 0.0;
    if (const ProcessContext* context = data.processContext)
    {
        timing.samplePosition = static_cast<uint32>(context->projectTimeSamples);
        timing.timeSeconds = timing.samplePosition * secondsPerSample;
        timing.tempo = context->tempo;
        timing.timeSigNumerator = static_cast<float>(context->timeSigNumerator);
        timing.timeSigDenominator = static_cast<uint32>(context->timeSigDenominator);
        m_plugIn->hostMessage(::HostMessage::kTiming, &transport);
    }

    const int32 used = instrument ? outChannels : std::min(inChannels, outChannels);
    if (!instrument && m_bypass)
    {
        processBypassed(data, used);
        reportOutputSilence(data, outChannels);
        reportMeters(data, true);
        return kResultOk;
    }
    if (m_midiEventList) m_midiEventList->setHostList(data.inputEvents);
    if (m_plugIn->m_bChannelBuffers)
    {
        processChannelBuffers(data, used);
        reportOutputSilence(data, outChannels);
        reportMeters(data, true);
        return kResultOk;
    }
    processFrames(data, used, timing, transport, secondsPerSample);
    reportOutputSilence(data, outChannels);
    reportMeters(data, false);
    return kResultOk;
}

// One flag per output channel that holds only zeros, so the host may skip what follows: a room
// whose input has fallen silent falls silent itself once its response has passed.
void ProcessorAudio::reportOutputSilence(ProcessData& data, int32 channels)
{
    AudioBusBuffers& bus = data.outputs[0];
    uint64 flags = 0;
    const int32 frames = std::max(data.numSamples, 0);
    for (int32 c = 0; c < channels && c < 64; ++c)
    {
        if (silentSamples(bus.channelBuffers32[c], static_cast<unsigned>(frames)))
            flags |= uint64(1) << c;
    }
    bus.silenceFlags = flags;
}

// ---- parameter changes ---------------------------------------------------------------------

void ProcessorAudio::applyParameterChanges(ProcessData& data)
{
    // Last block's host queues are gone: no control may still pull from them.
    if (m_sampleAccurate) detachAutomationQueues(data.numSamples);
    IParameterChanges* changes = data.inputParameterChanges;
    if (!changes) return;
    const int32 count = changes->getParameterCount();
    for (int32 k = 0; k < count; ++k)
    {
        IParamValueQueue* queue = changes->getParameterData(k);
        if (!queue) continue;
        const int32 points = queue->getPointCount();
        ParamValue value = 0.0;
        if (points <= 0 || !readLastValue(*queue, points, value)) continue;
        const ParamID id = queue->getParameterId();
        if (id < ParameterIds::kMaxControls && m_plugIn->control(id))
            applyControlChange(id, value, *queue, points, data.numSamples);
        else
            applyExtraParameter(id, value);
    }
}

void ProcessorAudio::detachAutomationQueues(int32 numSamples)
{
    for (uint32 position = 0; position < m_paramUpdateQueues.size(); ++position)
    {
        if (m_paramUpdateQueues[position])
            m_paramUpdateQueues[position]->rearm(numSamples, nullptr, 0);
        ControlRecord* record = m_plugIn->control(position);
        if (record && record->automationQueue) record->automationQueue = nullptr;
    }
}

void ProcessorAudio::applyControlChange(uint32 position, ParamValue value, IParamValueQueue& queue,
                                        int32 pointCount, int32 numSamples)
{
    // The exchange array, not the list: nothing on the audio thread walks the list.
    ControlRecord* record = m_plugIn->control(position);
    float linear = static_cast<float>(value);
    if (record->logScale)
        linear = ValueTapers::logLinearPosition(value);
    else if (record->voltOctave && record->valueType != ControlRecord::kUint)
        linear = static_cast<float>(
            ValueTapers::voltOctaveLinearPosition(value, record->minValue, record->maxValue));

    CVSTParamUpdateQueue* updates =
        position < m_paramUpdateQueues.size() ? m_paramUpdateQueues[position].get() : nullptr;
    if (m_sampleAccurate && updates)
    {
        updates->rearm(numSamples, &queue, pointCount);
        record->automationQueue = static_cast<IParamUpdateQueue*>(updates);
    }
    else if (record->automationQueue)
    {
        // Written only when it changes: the editor copies the records on the UI thread.
        record->automationQueue = nullptr;
    }
    m_plugIn->setNormalizedValue(position, linear, false);
}

void ProcessorAudio::applyExtraParameter(ParamID id, ParamValue v)
{
    CPlugIn& effect = *m_plugIn;
    switch (id)
    {
    case ParameterIds::kButton1:
    case ParameterIds::kButton1 + 1:
    case ParameterIds::kButton1 + 2:
        effect.controlChanged(CPlugIn::kFirstButtonControlId + (id - ParameterIds::kButton1));
        break;
    case ParameterIds::kJoystickX:
        effect.setJoystickX(static_cast<float>(2.0 * v - 1.0), true);
        break;
    case ParameterIds::kJoystickY:
        effect.setJoystickY(static_cast<float>(2.0 * v - 1.0), true);
        break;
    case ParameterIds::kBypass:
        m_bypass = v != 0.0;
        break;
    case ParameterIds::kPitchBend:
    {
        const double bend = 2.0 * v - 1.0;
        const int value = bend == -1.0 ? -8192 : static_cast<int>(bend * 8191.0);
        effect.midiPitchBend(0, value, static_cast<float>(bend));
        break;
    }
    case ParameterIds::kModWheel:
        effect.midiModWheel(0, toMidiValue(v));
        break;
    case ParameterIds::kMidiVolume:
        effect.midiMessage(0, 7, toMidiValue(v), 0);
        break;
    case ParameterIds::kMidiPan:
        effect.midiMessage(0, 10, toMidiValue(v), 0);
        break;
    case ParameterIds::kExpression:
        effect.midiMessage(0, 11, toMidiValue(v), 0);
        break;
    case ParameterIds::kSustainPedal:
        effect.midiMessage(0, 64, v > 0.5 ? 127 : 0, 0);
        break;
    case ParameterIds::kChannelPressure:
        effect.midiMessage(0, 0xD0, toMidiValue(v), 0);
        break;
    case ParameterIds::kAllNotesOff:
        effect.midiNoteOff(0, 0, 0, true);
        break;
    default:
        break;
    }
}

// ---- audio ---------------------------------------------------------------------------------

void ProcessorAudio::processBypassed(ProcessData& data, int32 channels)
{
    for (int32 c = 0; c < channels; ++c)
    {
        const Sample32* in = data.inputs[0].channelBuffers32[c];
        Sample32* out = data.outputs[0].channelBuffers32[c];
        if (in != out) std::copy(in, in + std::max(data.numSamples, 0), out);
    }
}

void ProcessorAudio::processChannelBuffers(ProcessData& data, int32 channels)
{
    if (m_enableSidechain && data.numInputs > 1 && data.inputs[1].channelBuffers32)
    {
        if (Bus* sidechain = getBus(kAudio, kInput, 1); sidechain && sidechain->isActive())
        {
            AuxInputInfo info;
            info.channelCount = data.inputs[1].numChannels;
            info.channelBuffers = data.inputs[1].channelBuffers32;
            info.valid = true;
            m_plugIn->sidechainInput(&info);
        }
    }
    // An instrument reads no input; anything longer than the dummy would be out of bounds.
    float* dummy[2] = {const_cast<float*>(kDummyChannel), const_cast<float*>(kDummyChannel)};
    float** in = m_plugIn->m_bInstrument ? dummy : data.inputs[0].channelBuffers32;
    m_plugIn->processChannelBuffers(in, data.outputs[0].channelBuffers32,
                                    static_cast<unsigned>(channels),
                                    static_cast<unsigned>(std::max(data.numSamples, 0)));
}

void ProcessorAudio::processFrames(ProcessData& data, int32 channels, TimingBlock& timing,
                                   ::HostMessage& transport, double secondsPerSample)
{
    CPlugIn& effect = *m_plugIn;
    const AudioBusBuffers* sidechainBus = nullptr;
    if (m_enableSidechain && data.numInputs > 1 && data.inputs[1].channelBuffers32 &&
        data.inputs[1].numChannels > 0)
    {
        Bus* sidechain = getBus(kAudio, kInput, 1);
        if (sidechain && sidechain->isActive()) sidechainBus = &data.inputs[1];
    }
    if (effect.m_bInstrument || sidechainBus || !effect.processesRuns())
        processFrameByFrame(data, channels, sidechainBus, timing, transport, secondsPerSample);
    else
        processRuns(data, channels, timing, transport, secondsPerSample);
}

// The frames between two event offsets go to the effect as one run; the transport it stores
// advances with each run.
void ProcessorAudio::processRuns(ProcessData& data, int32 channels, TimingBlock& timing,
                                 ::HostMessage& transport, double secondsPerSample)
{
    CPlugIn& effect = *m_plugIn;
    IEventList* events = data.inputEvents;
    const int32 eventCount = events ? events->getEventCount() : 0;
    int32 eventIndex = 0;
    Event event{};
    bool haveEvent = eventCount >= 1 && events->getEvent(0, event) == kResultOk;

    float* const* inputs = data.inputs[0].channelBuffers32;
    float* const* outputs = data.outputs[0].channelBuffers32;
    int32 frame = 0;
    while (frame < data.numSamples)
    {
        while (haveEvent && event.sampleOffset == frame)
        {
            dispatchEvent(effect, event);
            haveEvent = events->getEvent(++eventIndex, event) == kResultOk;
        }
        // An event out of order is never reached, as frame by frame.
        const bool eventAhead =
            haveEvent && event.sampleOffset > frame && event.sampleOffset < data.numSamples;
        const int32 end = eventAhead ? event.sampleOffset : data.numSamples;
        const float* in[2] = {inputs[0] + frame, channels == 2 ? inputs[1] + frame : nullptr};
        float* out[2] = {outputs[0] + frame, channels == 2 ? outputs[1] + frame : nullptr};
        effect.processRun(in, out, static_cast<unsigned>(channels), static_cast<unsigned>(channels),
                          static_cast<unsigned>(end - frame));
        timing.samplePosition += static_cast<uint32>(end - frame);
        timing.timeSeconds = timing.samplePosition * secondsPerSample;
        effect.hostMessage(::HostMessage::kTiming, &transport);
        frame = end;
    }
}

// Instruments (no input to read), effects with a side-chain and effects that do not take runs
// go one frame at a time.
void ProcessorAudio::processFrameByFrame(ProcessData& data, int32 channels,
                                         const AudioBusBuffers* sidechainBus, TimingBlock& timing,
                                         ::HostMessage& transport, double secondsPerSample)
{
    CPlugIn& effect = *m_plugIn;
    const bool instrument = effect.m_bInstrument;
    IEventList* events = data.inputEvents;
    const int32 eventCount = events ? events->getEventCount() : 0;
    int32 eventIndex = 0;
    Event event{};
    bool haveEvent = eventCount >= 1 && events->getEvent(0, event) == kResultOk;

    float inFrame[2] = {};
    float outFrame[2] = {};
    float sidechainFrame[2] = {};
    float* const* inputs = instrument ? nullptr : data.inputs[0].channelBuffers32;
    float* const* outputs = data.outputs[0].channelBuffers32;
    for (int32 i = 0; i < data.numSamples; ++i)
    {
        if (sidechainBus)
        {
            AuxInputInfo info;
            sidechainFrame[0] = sidechainBus->channelBuffers32[0][i];
            if (sidechainBus->numChannels == 2)
                sidechainFrame[1] = sidechainBus->channelBuffers32[1][i];
            info.frame = sidechainFrame;
            info.channelCount = sidechainBus->numChannels;
            info.valid = true;
            effect.sidechainInput(&info);
        }
        while (haveEvent && event.sampleOffset == i)
        {
            dispatchEvent(effect, event);
            haveEvent = events->getEvent(++eventIndex, event) == kResultOk;
        }
        if (!instrument)
        {
            inFrame[0] = inputs[0][i];
            if (channels == 2) inFrame[1] = inputs[1][i];
        }
        effect.processFrame(inFrame, outFrame, static_cast<unsigned>(channels),
                            static_cast<unsigned>(channels));
        outputs[0][i] = outFrame[0];
        if (channels == 2) outputs[1][i] = outFrame[1];
        timing.samplePosition += 1;
        timing.timeSeconds = timing.samplePosition * secondsPerSample;
        effect.hostMessage(::HostMessage::kTiming, &transport);
    }
}

// Values a program change set on the UI side go back to the host with the block that applied
// them: hosts that keep their own copy of the parameters learn them there, without a restart
// request from inside their own call.
void ProcessorAudio::reportHandedOverParameters(ProcessData& data)
{
    IParameterChanges* changes = data.outputParameterChanges;
    m_handOver.takeReports(
        [changes](uint32 id, double value)
        {
            if (!changes) return;
            int32 queueIndex = 0;
            IParamValueQueue* queue = changes->addParameterData(id, queueIndex);
            int32 pointIndex = 0;
            if (queue) queue->addPoint(0, value, pointIndex);
        });
}

void ProcessorAudio::reportMeters(ProcessData& data, bool asZero)
{
    IParameterChanges* changes = data.outputParameterChanges;
    if (!changes) return;
    int32 offset = 0;
    for (int32 position : m_meterIndexes)
    {
        const ControlRecord* record = m_plugIn->control(static_cast<uint32>(position));
        if (!record) continue;
        int32 queueIndex = 0;
        IParamValueQueue* queue =
            changes->addParameterData(static_cast<ParamID>(position), queueIndex);
        if (queue && record->meterVariable)
        {
            const double value = asZero ? 0.0 : static_cast<double>(*record->meterVariable);
            int32 pointIndex = 0;
            queue->addPoint(offset, value, pointIndex);
        }
        ++offset;
    }
}

} // namespace Steinberg::Vst::Veru2ZOR3
