// The audio side of the adapter: one run() becomes one or more VST3 process blocks of at most
// the block size processing was set up for; the control ports' new values go with the first.
// Runs on the host's audio thread: no allocation, no lock, no waiting.
#include "Lv2Adapter.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Steinberg
{
namespace Vst
{

namespace
{
void silence(float* output, uint32 frames)
{
    if (output) std::memset(output, 0, sizeof(float) * frames);
}
} // namespace

bool Lv2Adapter::buffersConnected() const
{
    for (uint32 p = Lv2PortList::kAudioInLeft; p <= Lv2PortList::kAudioOutRight; ++p)
        if (!portData[p]) return false;
    return true;
}

void Lv2Adapter::run(uint32 frames)
{
    if (float* latency = portData[portList.latencyPort()])
        *latency = static_cast<float>(processor->getLatencySamples());
    if (frames == 0) return;
    if (!active || !buffersConnected())
    {
        // Not activated, or a missing buffer: a defined, silent block.
        silence(portData[Lv2PortList::kAudioOutLeft], frames);
        silence(portData[Lv2PortList::kAudioOutRight], frames);
        return;
    }
    inputChanges.clearQueue();
    takePortChanges();
    const auto block = static_cast<uint32>(maxBlock);
    for (uint32 start = 0; start < frames; start += block)
    {
        renderPart(start, std::min(block, frames - start));
        inputChanges.clearQueue(); // the values went with the first part
    }
    framePosition += frames;
}

// Each control port whose value moved since the component last had it becomes a change at the
// block's first frame, its value limited to the control's range first.
void Lv2Adapter::takePortChanges()
{
    int32 index = 0;
    for (int32 i = 0; i < portList.controlCount(); ++i)
    {
        const float* data = portData[Lv2PortList::controlPort(i)];
        if (!data) continue;
        const Lv2ControlPort& port = portList.control(i);
        const auto value = static_cast<float>(port.clamp(*data));
        if (value == lastValues[static_cast<size_t>(i)]) continue;
        lastValues[static_cast<size_t>(i)] = value;
        if (IParamValueQueue* queue = inputChanges.addParameterData(port.id, index))
            queue->addPoint(0, controller->plainParamToNormalized(port.id, value), index);
    }
    const float* enabled = portList.hasBypass() ? portData[portList.enabledPort()] : nullptr;
    if (!enabled) return;
    // Anything but a clear "on" bypasses; a non-finite value keeps the effect playing.
    const float on = !std::isfinite(*enabled) || *enabled >= 0.5f ? 1.0f : 0.0f;
    float& last = lastValues.back();
    if (on == last) return;
    last = on;
    if (IParamValueQueue* queue = inputChanges.addParameterData(portList.bypassId(), index))
        queue->addPoint(0, on > 0.0f ? 0.0 : 1.0, index);
}

// An input the host shares with an output (in-place processing) is copied first, so the
// component may write any output before reading all inputs.
void Lv2Adapter::renderPart(uint32 start, uint32 length)
{
    const float* inputs[kChannels] = {portData[Lv2PortList::kAudioInLeft],
                                      portData[Lv2PortList::kAudioInRight]};
    float* outputs[kChannels] = {portData[Lv2PortList::kAudioOutLeft],
                                 portData[Lv2PortList::kAudioOutRight]};
    for (int32 c = 0; c < kChannels; ++c)
    {
        const float* in = inputs[c] + start;
        const bool shared = in == outputs[0] + start || in == outputs[1] + start;
        float* bound = const_cast<float*>(in); // the component only reads its inputs
        if (shared)
        {
            bound = scratch.data() + static_cast<size_t>(c * maxBlock);
            std::memcpy(bound, in, sizeof(float) * length);
        }
        processData.setChannelBuffer(kInput, 0, c, bound);
        processData.setChannelBuffer(kOutput, 0, c, outputs[c] + start);
    }
    outputChanges.clearQueue();
    context = ProcessContext{};
    context.sampleRate = sampleRate;
    context.projectTimeSamples = framePosition + start;
    processData.numSamples = static_cast<int32>(length);
    processData.inputParameterChanges = &inputChanges;
    processData.outputParameterChanges = &outputChanges;
    processData.inputEvents = nullptr;
    processData.processContext = &context;
    processor->process(processData);
}

} // namespace Vst
} // namespace Steinberg
