#pragma once

#include <cstdint>

// Lets an effect that processes whole buffers pull the MIDI events of the current block.
class IMidiEventList
{
  public:
    virtual ~IMidiEventList() = default;
    virtual int32_t getEventCount() = 0;
    // Dispatches every event at this sample offset to the effect; true when one was dispatched.
    virtual bool fireMidiEvents(int32_t sampleOffset) = 0;
};
