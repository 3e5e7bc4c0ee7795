// The input parameter changes of one process block, sized ahead so that filling them on the
// audio thread never allocates: every queue is given room for kPointsPerQueue points when
// processing is set up, and a queue that is full has its last point's value replaced instead of
// growing.
#pragma once

#include "public.sdk/source/vst/hosting/parameterchanges.h"

namespace Steinberg
{
namespace Vst
{

class Vst2BlockChanges
{
  public:
    static constexpr int32 kPointsPerQueue = 64;

    // Makes room for changes of up to maxParameters parameters in one block (allocates).
    void prepare(int32 maxParameters);
    // Adds a point; false when the block has no room for another parameter.
    bool addPoint(ParamID id, int32 offset, ParamValue value);
    void clear() { changes.clearQueue(); }

    ParameterChanges& get() { return changes; }

  private:
    ParameterChanges changes;
    int32 capacity = 0;
};

} // namespace Vst
} // namespace Steinberg
