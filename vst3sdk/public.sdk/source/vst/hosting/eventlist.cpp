#include "public.sdk/source/vst/hosting/eventlist.h"

#include <algorithm>

namespace Steinberg
{
namespace Vst
{

EventList::EventList(int32 maxSize)
{
    FUNKNOWN_CTOR
    setMaxSize(maxSize);
}

EventList::~EventList(){FUNKNOWN_DTOR}

IMPLEMENT_FUNKNOWN_METHODS(EventList, IEventList, IEventList::iid)

    void EventList::setMaxSize(int32 maxSize)
{
    events.assign(static_cast<size_t>(std::max<int32>(maxSize, 0)), Event{});
    fillCount = 0;
}

Event* EventList::getEventByIndex(int32 index)
{
    if (index < 0 || index >= fillCount) return nullptr;
    return &events[static_cast<size_t>(index)];
}

tresult PLUGIN_API EventList::getEvent(int32 index, Event& e)
{
    const Event* event = getEventByIndex(index);
    if (!event) return kResultFalse;
    e = *event;
    return kResultTrue;
}

tresult PLUGIN_API EventList::addEvent(Event& e)
{
    if (fillCount >= getMaxSize()) return kResultFalse;
    events[static_cast<size_t>(fillCount++)] = e;
    return kResultTrue;
}

} // namespace Vst
} // namespace Steinberg
