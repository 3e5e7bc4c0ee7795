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
        : m_dMaximum(maximum), m_dMinimum(minimum), m_nGranularity(granularity)
    {
    }

    // Called by every process call that carries points for this control.
    void rearm(int32 blockSize, IParamValueQueue* hostQueue, int32 pointCount);

    uint32_t getParameterId() override;
    bool getValueAtOffset(int32_t sampleOffset, double& value) override;
    bool getNextValue(double& value) override;

    double minimum() const { return m_dMinimum; }
    double maximum() const { return m_dMaximum; }

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

    int32 m_nBlockSize = 0;
    double m_dLastValue = 0.0;
    double m_dMaximum;
    double m_dMinimum;
    double m_dSlope = 1.0;
    double m_dIntercept = 0.0;
    const int32& m_nGranularity;
    int32 m_nPointIndex = 0;
    int32 m_nPointCount = 0;
    IParamValueQueue* m_pHostQueue = nullptr;
    int32 m_nX0 = 0;
    int32 m_nX1 = 0;
    double m_dY0 = 0.0;
    double m_dY1 = 0.0;
    bool m_bLastSegment = false;
    int32 m_nCurrentOffset = 0;
};

} // namespace Steinberg::Vst::Veru2ZOR3
