// MIDI from a VST2 host, on its way to the VST3 processor. Notes and polyphonic pressure become
// events of the processor's event input; controllers, channel pressure and pitch bend become
// changes of the parameters the processor's MIDI mapping names for them, which is how VST3 hosts
// deliver them. The host hands its events before the process call they belong to; they are kept
// in fixed storage until then, so the audio thread never allocates.
#pragma once

#include "Vst2Abi.h"
#include "Vst2BlockChanges.h"

#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivstevents.h"
#include "pluginterfaces/vst/ivstmidicontrollers.h"

#include <array>
#include <vector>

namespace Steinberg
{
namespace Vst
{

class Vst2MidiInput
{
  public:
    static constexpr int32 kCapacity = 1024; // messages kept per process call; more are dropped
    static constexpr int32 kChannels = 16;
    static constexpr int32 kControllers = kCountCtrlNumber;

    // Asks the processor's MIDI mapping (may be null) which parameter each controller of each
    // channel drives. UI thread; allocates.
    void mapControllers(IMidiMapping* mapping);
    // The parameter a controller drives, or kNoParamId.
    ParamID parameterFor(int32 channel, int32 controller) const;

    // Keeps the MIDI messages of a host event list for the next process call.
    void receive(const Vst2Abi::Events* events);
    // Writes the kept messages whose frame lies in [start, start + length) into the block's
    // event list and parameter changes, with offsets relative to start. The last part of a host
    // block also takes the messages stamped past its end, at its last frame.
    void deliver(int32 start, int32 length, bool lastPart, IEventList& events,
                 Vst2BlockChanges& changes) const;
    void clear() { used = 0; }
    int32 size() const { return used; }

  private:
    struct Message
    {
        int32 frame;
        uint8 status;
        uint8 data1;
        uint8 data2;
    };

    void insertSorted(const Message& m);
    void deliverOne(const Message& m, int32 offset, IEventList& events,
                    Vst2BlockChanges& changes) const;
    void addPoint(Vst2BlockChanges& changes, int32 channel, int32 controller, int32 offset,
                  ParamValue value) const;

    std::array<Message, kCapacity> messages{};
    int32 used = 0;
    std::vector<ParamID> controllerMap; // kChannels * kControllers entries
};

} // namespace Vst
} // namespace Steinberg
