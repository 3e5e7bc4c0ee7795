#include "Vst2BlockChanges.h"

namespace Steinberg
{
namespace Vst
{

void Vst2BlockChanges::prepare(int32 maxParameters)
{
    // The queues keep their memory across clearQueue, so filling each once reserves it.
    changes.clearQueue();
    changes.setMaxParameters(maxParameters);
    for (int32 q = 0; q < maxParameters; ++q)
    {
        int32 index = 0;
        IParamValueQueue* queue = changes.addParameterData(static_cast<ParamID>(q), index);
        for (int32 p = 0; queue && p < kPointsPerQueue; ++p)
            queue->addPoint(p, 0.0, index);
    }
    changes.clearQueue();
    capacity = maxParameters;
}

bool Vst2BlockChanges::addPoint(ParamID id, int32 offset, ParamValue value)
{
    const int32 used = changes.getParameterCount();
    bool known = false;
    for (int32 q = 0; q < used && !known; ++q)
        known = changes.getParameterData(q)->getParameterId() == id;
    if (!known && used >= capacity) return false;

    int32 index = 0;
    IParamValueQueue* queue = changes.addParameterData(id, index);
    if (!queue) return false;
    const int32 points = queue->getPointCount();
    if (points >= kPointsPerQueue)
    {
        // Full: the newest value replaces the last point's (an existing offset never grows the
        // queue).
        ParamValue lastValue = 0;
        queue->getPoint(points - 1, offset, lastValue);
    }
    return queue->addPoint(offset, value, index) == kResultOk;
}

} // namespace Vst
} // namespace Steinberg
