#include "public.sdk/source/vst/hosting/processdata.h"

namespace Steinberg
{
namespace Vst
{

HostProcessData::~HostProcessData()
{
    unprepare();
}

void HostProcessData::unprepare()
{
    inputBuses.clear();
    outputBuses.clear();
    channelPointers.clear();
    sampleMemory.clear();
    inputs = outputs = nullptr;
    numInputs = numOutputs = 0;
}

bool HostProcessData::prepare(IComponent& component, int32 bufferSamples, int32 symbolicSampleSize)
{
    unprepare();
    if (symbolicSampleSize != kSample32 || bufferSamples < 0) return false;
    this->symbolicSampleSize = symbolicSampleSize;
    if (!prepareBuses(component, kInput, bufferSamples) ||
        !prepareBuses(component, kOutput, bufferSamples))
    {
        unprepare();
        return false;
    }
    // The vectors are complete: only now are their addresses stable.
    size_t pointerSet = 0;
    for (std::vector<AudioBusBuffers>* buses : {&inputBuses, &outputBuses})
    {
        for (AudioBusBuffers& bus : *buses)
            bus.channelBuffers32 = channelPointers[pointerSet++].data();
    }
    inputs = inputBuses.empty() ? nullptr : inputBuses.data();
    outputs = outputBuses.empty() ? nullptr : outputBuses.data();
    numInputs = static_cast<int32>(inputBuses.size());
    numOutputs = static_cast<int32>(outputBuses.size());
    return true;
}

bool HostProcessData::prepareBuses(IComponent& component, BusDirection dir, int32 bufferSamples)
{
    std::vector<AudioBusBuffers>& buses = dir == kInput ? inputBuses : outputBuses;
    const int32 count = component.getBusCount(kAudio, dir);
    for (int32 b = 0; b < count; ++b)
    {
        BusInfo info{};
        if (component.getBusInfo(kAudio, dir, b, info) != kResultOk || info.channelCount < 0)
            return false;
        AudioBusBuffers bus;
        bus.numChannels = info.channelCount;
        buses.push_back(bus);
        std::vector<Sample32*> pointers(static_cast<size_t>(info.channelCount), nullptr);
        for (Sample32*& channel : pointers)
        {
            if (bufferSamples == 0) continue;
            sampleMemory.emplace_back(static_cast<size_t>(bufferSamples), 0.0f);
            channel = sampleMemory.back().data();
        }
        channelPointers.push_back(std::move(pointers));
    }
    return true;
}

bool HostProcessData::setChannelBuffer(BusDirection dir, int32 busIndex, int32 channel,
                                       Sample32* buffer)
{
    if (busIndex < 0 || busIndex >= busCountOf(dir)) return false;
    AudioBusBuffers& bus = busesOf(dir)[busIndex];
    if (channel < 0 || channel >= bus.numChannels) return false;
    bus.channelBuffers32[channel] = buffer;
    return true;
}

Sample32* HostProcessData::getChannel(BusDirection dir, int32 busIndex, int32 channel) const
{
    if (busIndex < 0 || busIndex >= busCountOf(dir)) return nullptr;
    const AudioBusBuffers& bus = busesOf(dir)[busIndex];
    if (channel < 0 || channel >= bus.numChannels) return nullptr;
    return bus.channelBuffers32[channel];
}

} // namespace Vst
} // namespace Steinberg
