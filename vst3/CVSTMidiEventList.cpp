#include "vst3/CVSTMidiEventList.h"

#include "vst3/MidiEventDispatch.h"

#include "core/CPlugIn.h"

namespace Steinberg::Vst::Veru2ZOR3
{

int32_t CVSTMidiEventList::getEventCount()
{
    return m_hostList ? m_hostList->getEventCount() : 0;
}

bool CVSTMidiEventList::readEvent(int32_t index, Event& event) const
{
    return m_hostList && m_hostList->getEvent(index, event) == kResultOk;
}

bool CVSTMidiEventList::fireMidiEvents(int32_t sampleOffset)
{
    bool fired = false;
    Event event{};
    while (readEvent(m_readPosition, event) && event.sampleOffset == sampleOffset)
    {
        if (m_effect && dispatchNoteEvent(*m_effect, event)) fired = true;
        ++m_readPosition;
    }
    return fired;
}

} // namespace Steinberg::Vst::Veru2ZOR3
