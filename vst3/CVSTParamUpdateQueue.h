#pragma once

#include "core/IParamUpdateQueue.h"

#include "pluginterfaces/vst/ivstparameterchanges.h"

namespace Steinberg::Vst::Veru2ZOR3
{

// One control's automation points of the current block as a piecewise-linear ramp, handed
// out at multiples of the processor's granularity and at every point, repeats suppressed.
// Segment, slope and last value carry over from one block to the next.
class CVSTParamUpdateQueue : public IParamUpdateQueue
{
  public:
    CVSTParamUpdateQueue(double minimum, double maximum, const int32& granularity)
        : m_maximum(maximum), m_minimum(minimum), m_granularity(granularity)
    {
    }

    // Called by every process call that carries points for this control.
    void rearm(int32 blockSize, IParamValueQueue* hostQueue, int32 pointCount);

    uint32_t getParameterId() override;
    bool getValueAtOffset(int32_t sampleOffset, double& value) override;
    bool getNextValue(double& value) override;

    double minimum() const { return m_minimum; }
    double maximum() const { return m_maximum; }

  private:
    enum class Outcome
    {
        None,
        Unchanged,
        NewValue
    };

    Outcome evaluate(int32 t, double& value);
    void advanceSegment();
    bool readPoint(int32 index, int32& offset, double& value) const;

    int32 m_blockSize = 0;
    double m_lastValue = 0.0;
    double m_maximum;
    double m_minimum;
    double m_slope = 1.0;
    double m_intercept = 0.0;
    const int32& m_granularity;
    int32 m_pointIndex = 0;
    int32 m_pointCount = 0;
    IParamValueQueue* m_hostQueue = nullptr;
    int32 m_x0 = 0;
    int32 m_x1 = 0;
    double m_y0 = 0.0;
    double m_y1 = 0.0;
    bool m_lastSegment = false;
    int32 m_currentOffset = 0;
};

} // namespace Steinberg::Vst::Veru2ZOR3
