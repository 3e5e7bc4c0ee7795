// Host side of the parameter changes of one process block: one queue of (offset, value) points
// per changed parameter. Queues are kept between blocks so that a host can refill them without
// allocating once they have grown to the block's needs.
#pragma once

#include "pluginterfaces/vst/ivstparameterchanges.h"

#include <vector>

namespace Steinberg
{
namespace Vst
{

class ParameterValueQueue : public IParamValueQueue
{
  public:
    explicit ParameterValueQueue(ParamID paramId);
    virtual ~ParameterValueQueue();

    //---IParamValueQueue
    ParamID PLUGIN_API getParameterId() SMTG_OVERRIDE { return paramId; }
    int32 PLUGIN_API getPointCount() SMTG_OVERRIDE;
    tresult PLUGIN_API getPoint(int32 index, int32& sampleOffset, ParamValue& value) SMTG_OVERRIDE;
    // Points stay sorted by offset; a point at an offset already present replaces its value.
    tresult PLUGIN_API addPoint(int32 sampleOffset, ParamValue value, int32& index) SMTG_OVERRIDE;

    void setParamID(ParamID id) { paramId = id; }
    void clear() { points.clear(); }

    DECLARE_FUNKNOWN_METHODS

  private:
    struct Point
    {
        int32 offset;
        ParamValue value;
    };

    ParamID paramId;
    std::vector<Point> points;
};

class ParameterChanges : public IParameterChanges
{
  public:
    explicit ParameterChanges(int32 maxParameters = 0);
    virtual ~ParameterChanges();
    ParameterChanges(const ParameterChanges&) = delete;
    ParameterChanges& operator=(const ParameterChanges&) = delete;

    //---IParameterChanges
    int32 PLUGIN_API getParameterCount() SMTG_OVERRIDE { return usedQueueCount; }
    IParamValueQueue* PLUGIN_API getParameterData(int32 index) SMTG_OVERRIDE;
    // The queue of a parameter id, created (or reused) on first use within the block.
    IParamValueQueue* PLUGIN_API addParameterData(const ParamID& id, int32& index) SMTG_OVERRIDE;

    // Empties every queue for the next block, keeping their memory.
    void clearQueue();
    // Creates queues ahead of time so that blocks with up to this many parameters allocate nothing.
    void setMaxParameters(int32 maxParameters);

    DECLARE_FUNKNOWN_METHODS

  private:
    std::vector<ParameterValueQueue*> queues;
    int32 usedQueueCount = 0;
};

} // namespace Vst
} // namespace Steinberg
