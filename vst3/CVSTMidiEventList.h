#pragma once

#include "core/IMidiEventList.h"

#include "pluginterfaces/vst/ivstevents.h"

class CPlugIn;

namespace Steinberg::Vst::Veru2ZOR3
{

// The host's events of the current block, for an effect that processes whole buffers and
// pulls its events per sample offset, in increasing order.
class CVSTMidiEventList : public IMidiEventList
{
  public:
    explicit CVSTMidiEventList(CPlugIn* effect) : m_effect(effect) {}

    // Called by every process call: the block's events, read from the start.
    void setHostList(IEventList* hostList)
    {
        m_hostList = hostList;
        m_readPosition = 0;
    }

    int32_t getEventCount() override;
    bool fireMidiEvents(int32_t sampleOffset) override;

  private:
    bool readEvent(int32_t index, Event& event) const;

    CPlugIn* m_effect;
    IEventList* m_hostList = nullptr;
    int32_t m_readPosition = 0;
};

} // namespace Steinberg::Vst::Veru2ZOR3
