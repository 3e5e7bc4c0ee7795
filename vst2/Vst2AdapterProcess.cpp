// The audio side of the adapter: one host process call becomes one or more VST3 process blocks
// of at most the announced block size, with the host's pending parameter values, its MIDI and
// its transport. Runs on the host's audio thread: no allocation, no lock, no waiting.
#include "Vst2Adapter.h"

#include <algorithm>
#include <cstring>

namespace Steinberg
{
namespace Vst
{

namespace
{
// Marks the audio thread as inside the plug-in for the scope's lifetime.
class InsideProcess
{
  public:
    explicit InsideProcess(std::atomic<bool>& flag) : flag(flag) { flag.store(true); }
    ~InsideProcess() { flag.store(false); }

  private:
    std::atomic<bool>& flag;
};

void silence(float** outputs, int32 channels, int32 frames)
{
    for (int32 c = 0; c < channels; ++c)
        if (outputs[c]) std::memset(outputs[c], 0, sizeof(float) * static_cast<size_t>(frames));
}
} // namespace

void Vst2Adapter::process(const float* const* inputs, float** outputs, int32 frames,
                          bool accumulate)
{
    if (frames <= 0 || !outputs) return;
    InsideProcess inside(inProcess);
    bool usable = resumed.load() && (inputs || record.num_inputs == 0);
    for (int32 c = 0; c < kChannels; ++c)
        usable = usable && outputs[c] && (record.num_inputs == 0 || inputs[c]);
    if (!usable)
    {
        // Not resumed, or missing buffers: a defined, silent block.
        if (!accumulate) silence(outputs, kChannels, frames);
        midi.clear();
        return;
    }
    for (int32 start = 0; start < frames; start += maxBlock)
    {
        const int32 length = std::min(maxBlock, frames - start);
        renderPart(inputs, outputs, start, length, start + length >= frames, accumulate);
    }
    midi.clear();
    framePosition += frames;
}

void Vst2Adapter::renderPart(const float* const* inputs, float** outputs, int32 start, int32 length,
                             bool lastPart, bool accumulate)
{
    inputChanges.clear();
    outputChanges.clear();
    events->clear();
    if (start == 0)
    {
        mirror.takeForProcessor([this](int32 i, float v)
                                { inputChanges.addPoint(parameters.info(i).id, 0, v); });
    }
    midi.deliver(start, length, lastPart, *events, inputChanges);
    bindBuffers(inputs, outputs, start, length, accumulate);
    fillContext(start);
    processData.numSamples = length;
    processData.inputParameterChanges = &inputChanges.get();
    processData.outputParameterChanges = &outputChanges.get();
    processData.inputEvents = events;
    processData.processContext = &context;
    processor->process(processData);

    if (accumulate)
    {
        for (int32 c = 0; c < kChannels; ++c)
        {
            const float* wet = processData.getChannel(kOutput, 0, c);
            for (int32 i = 0; wet && i < length; ++i)
                outputs[c][start + i] += wet[i];
        }
    }
    learnProcessedValues();
}

// Points the block at the host's buffers. An input the host shares with an output (in-place
// processing) is copied first, so the plug-in may write any output before reading all inputs;
// accumulating calls render into scratch outputs that are added afterwards.
void Vst2Adapter::bindBuffers(const float* const* inputs, float** outputs, int32 start,
                              int32 length, bool accumulate)
{
    float* scratchIn = scratch.data();
    float* scratchOut = scratch.data() + kChannels * maxBlock;
    for (int32 c = 0; c < record.num_inputs; ++c)
    {
        const float* in = inputs[c] + start;
        bool shared = false;
        for (int32 o = 0; o < kChannels; ++o)
            shared = shared || (!accumulate && in == outputs[o] + start);
        float* bound = const_cast<float*>(in); // the plug-in only reads its inputs
        if (shared)
        {
            bound = scratchIn + c * maxBlock;
            std::memcpy(bound, in, sizeof(float) * static_cast<size_t>(length));
        }
        processData.setChannelBuffer(kInput, 0, c, bound);
    }
    for (int32 c = 0; c < kChannels; ++c)
    {
        float* out = accumulate ? scratchOut + c * maxBlock : outputs[c] + start;
        processData.setChannelBuffer(kOutput, 0, c, out);
    }
}

void Vst2Adapter::fillContext(int32 start)
{
    using namespace Vst2Abi;
    context = ProcessContext{};
    context.sampleRate = sampleRate;
    context.projectTimeSamples = framePosition + start;
    constexpr int32 wanted =
        kTimePpqValid | kTimeTempoValid | kTimeBarsValid | kTimeCycleValid | kTimeSigValid;
    const auto* time = reinterpret_cast<const TimeInfo*>(callHost(kHostGetTime, 0, wanted));
    if (!time) return;

    const double offsetSeconds = start / sampleRate;
    context.projectTimeSamples = static_cast<int64>(time->samplePos) + start;
    if (time->flags & kTimeTransportPlaying) context.state |= ProcessContext::kPlaying;
    if (time->flags & kTimeRecording) context.state |= ProcessContext::kRecording;
    if (time->flags & kTimeCycleActive) context.state |= ProcessContext::kCycleActive;
    if (time->flags & kTimeTempoValid)
    {
        context.tempo = time->tempo;
        context.state |= ProcessContext::kTempoValid;
    }
    if (time->flags & kTimePpqValid)
    {
        context.projectTimeMusic = time->ppqPos + offsetSeconds * context.tempo / 60.0;
        context.state |= ProcessContext::kProjectTimeMusicValid;
    }
    if (time->flags & kTimeBarsValid)
    {
        context.barPositionMusic = time->barStartPos;
        context.state |= ProcessContext::kBarPositionValid;
    }
    if (time->flags & kTimeCycleValid)
    {
        context.cycleStartMusic = time->cycleStartPos;
        context.cycleEndMusic = time->cycleEndPos;
        context.state |= ProcessContext::kCycleValid;
    }
    if ((time->flags & kTimeSigValid) && time->timeSigNumerator > 0 && time->timeSigDenominator > 0)
    {
        context.timeSigNumerator = time->timeSigNumerator;
        context.timeSigDenominator = time->timeSigDenominator;
        context.state |= ProcessContext::kTimeSigValid;
    }
}

// Values the processor took from MIDI controllers or reported itself become the host-visible
// values too.
void Vst2Adapter::learnProcessedValues()
{
    for (Vst2BlockChanges* changes : {&inputChanges, &outputChanges})
    {
        IParameterChanges& list = changes->get();
        for (int32 q = 0; q < list.getParameterCount(); ++q)
        {
            IParamValueQueue* queue = list.getParameterData(q);
            const int32 points = queue ? queue->getPointCount() : 0;
            int32 offset = 0;
            ParamValue value = 0;
            if (points > 0 && queue->getPoint(points - 1, offset, value) == kResultOk)
                mirror.setFromProcessor(parameters.indexOf(queue->getParameterId()),
                                        static_cast<float>(value));
        }
    }
}

// While suspended, the host's parameter values wait for the next process call; a state taken
// in between must still contain them, so a block without audio hands them over now.
void Vst2Adapter::flushPendingToProcessor()
{
    if (resumed.load() || !mirror.pendingForProcessor() || !activate()) return;
    inputChanges.clear();
    outputChanges.clear();
    events->clear();
    mirror.takeForProcessor([this](int32 i, float v)
                            { inputChanges.addPoint(parameters.info(i).id, 0, v); });
    for (int32 c = 0; c < kChannels; ++c)
    {
        processData.setChannelBuffer(kInput, 0, c, scratch.data());
        processData.setChannelBuffer(kOutput, 0, c, scratch.data());
    }
    context = ProcessContext{};
    context.sampleRate = sampleRate;
    processData.numSamples = 0;
    processData.inputParameterChanges = &inputChanges.get();
    processData.outputParameterChanges = &outputChanges.get();
    processData.inputEvents = events;
    processData.processContext = &context;
    processor->process(processData);
    deactivate();
}

} // namespace Vst
} // namespace Steinberg
