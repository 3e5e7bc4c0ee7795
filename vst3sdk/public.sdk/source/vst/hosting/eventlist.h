// Host side of the events of one process block: a list of fixed capacity, so that a host can
// fill it on the audio thread without allocating.
#pragma once

#include "pluginterfaces/vst/ivstevents.h"

#include <vector>

namespace Steinberg
{
namespace Vst
{

class EventList : public IEventList
{
  public:
    explicit EventList(int32 maxSize = 50);
    virtual ~EventList();

    //---IEventList
    int32 PLUGIN_API getEventCount() SMTG_OVERRIDE { return fillCount; }
    tresult PLUGIN_API getEvent(int32 index, Event& e) SMTG_OVERRIDE;
    // kResultFalse when the list is full.
    tresult PLUGIN_API addEvent(Event& e) SMTG_OVERRIDE;

    void clear() { fillCount = 0; }
    void setMaxSize(int32 maxSize);
    int32 getMaxSize() const { return static_cast<int32>(events.size()); }
    Event* getEventByIndex(int32 index);

    DECLARE_FUNKNOWN_METHODS

  private:
    std::vector<Event> events;
    int32 fillCount = 0;
};

} // namespace Vst
} // namespace Steinberg
