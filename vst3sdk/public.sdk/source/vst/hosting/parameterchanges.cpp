#include "public.sdk/source/vst/hosting/parameterchanges.h"

#include <algorithm>

namespace Steinberg
{
namespace Vst
{

// ---- ParameterValueQueue -------------------------------------------------------------------

ParameterValueQueue::ParameterValueQueue(ParamID paramId)
    : paramId(paramId){FUNKNOWN_CTOR}

      ParameterValueQueue::~ParameterValueQueue(){FUNKNOWN_DTOR}

      IMPLEMENT_FUNKNOWN_METHODS(ParameterValueQueue, IParamValueQueue, IParamValueQueue::iid)

          int32 PLUGIN_API ParameterValueQueue::getPointCount()
{
    return static_cast<int32>(points.size());
}

tresult PLUGIN_API ParameterValueQueue::getPoint(int32 index, int32& sampleOffset,
                                                 ParamValue& value)
{
    if (index < 0 || index >= getPointCount()) return kResultFalse;
    const Point& point = points[static_cast<size_t>(index)];
    sampleOffset = point.offset;
    value = point.value;
    return kResultTrue;
}

tresult PLUGIN_API ParameterValueQueue::addPoint(int32 sampleOffset, ParamValue value, int32& index)
{
    auto at = std::lower_bound(points.begin(), points.end(), sampleOffset,
                               [](const Point& p, int32 offset) { return p.offset < offset; });
    if (at != points.end() && at->offset == sampleOffset)
        at->value = value;
    else
        at = points.insert(at, Point{sampleOffset, value});
    index = static_cast<int32>(at - points.begin());
    return kResultTrue;
}

// ---- ParameterChanges ----------------------------------------------------------------------

ParameterChanges::ParameterChanges(int32 maxParameters)
{
    FUNKNOWN_CTOR
    setMaxParameters(maxParameters);
}

ParameterChanges::~ParameterChanges()
{
    for (ParameterValueQueue* queue : queues)
        queue->release();
    FUNKNOWN_DTOR
}

IMPLEMENT_FUNKNOWN_METHODS(ParameterChanges, IParameterChanges, IParameterChanges::iid)

void ParameterChanges::setMaxParameters(int32 maxParameters)
{
    while (static_cast<int32>(queues.size()) < maxParameters)
        queues.push_back(new ParameterValueQueue(kNoParamId));
}

void ParameterChanges::clearQueue()
{
    for (int32 i = 0; i < usedQueueCount; ++i)
        queues[static_cast<size_t>(i)]->clear();
    usedQueueCount = 0;
}

IParamValueQueue* PLUGIN_API ParameterChanges::getParameterData(int32 index)
{
    if (index < 0 || index >= usedQueueCount) return nullptr;
    return queues[static_cast<size_t>(index)];
}

IParamValueQueue* PLUGIN_API ParameterChanges::addParameterData(const ParamID& id, int32& index)
{
    for (int32 i = 0; i < usedQueueCount; ++i)
    {
        if (queues[static_cast<size_t>(i)]->getParameterId() == id)
        {
            index = i;
            return queues[static_cast<size_t>(i)];
        }
    }
    setMaxParameters(usedQueueCount + 1);
    ParameterValueQueue* queue = queues[static_cast<size_t>(usedQueueCount)];
    queue->clear();
    queue->setParamID(id);
    index = usedQueueCount++;
    return queue;
}

} // namespace Vst
} // namespace Steinberg
