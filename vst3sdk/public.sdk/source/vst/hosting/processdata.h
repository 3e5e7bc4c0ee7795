// Host side of ProcessData: bus buffer records shaped after a component's audio buses, with
// channel pointer arrays and, when asked for, the sample memory behind them.
#pragma once

#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"

#include <vector>

namespace Steinberg
{
namespace Vst
{

class HostProcessData : public ProcessData
{
  public:
    HostProcessData() = default;
    ~HostProcessData();
    HostProcessData(const HostProcessData&) = delete;
    HostProcessData& operator=(const HostProcessData&) = delete;

    // Shapes the bus buffers after the component's audio buses (their current channel counts).
    // With bufferSamples > 0 every channel gets zeroed memory of that many samples; with 0 the
    // host points the channels at its own memory with setChannelBuffer. 32-bit samples only.
    bool prepare(IComponent& component, int32 bufferSamples, int32 symbolicSampleSize);
    void unprepare();

    // Points one channel at the host's memory; false for a bus or channel that does not exist.
    bool setChannelBuffer(BusDirection dir, int32 busIndex, int32 channel, Sample32* buffer);
    Sample32* getChannel(BusDirection dir, int32 busIndex, int32 channel) const;

  private:
    bool prepareBuses(IComponent& component, BusDirection dir, int32 bufferSamples);
    AudioBusBuffers* busesOf(BusDirection dir) const { return dir == kInput ? inputs : outputs; }
    int32 busCountOf(BusDirection dir) const { return dir == kInput ? numInputs : numOutputs; }

    std::vector<AudioBusBuffers> inputBuses;
    std::vector<AudioBusBuffers> outputBuses;
    std::vector<std::vector<Sample32*>> channelPointers;
    std::vector<std::vector<Sample32>> sampleMemory;
};

} // namespace Vst
} // namespace Steinberg
