#include "vst3/CVSTParamUpdateQueue.h"

#include <algorithm>

namespace Steinberg::Vst::Veru2ZOR3
{

void CVSTParamUpdateQueue::rearm(int32 blockSize, IParamValueQueue* hostQueue, int32 pointCount)
{
    // The segment carried over was measured in the last block's offsets: move it into this
    // block's, where it lies before offset 0.
    if (m_nBlockSize > 0)
    {
        m_nX0 -= m_nBlockSize;
        m_nX1 -= m_nBlockSize;
        m_dIntercept = m_dY0 - m_nX0 * m_dSlope;
    }
    m_nBlockSize = std::max(blockSize, 0);
    m_pHostQueue = hostQueue;
    m_nPointCount = pointCount;
    m_nPointIndex = 0;
    m_nCurrentOffset = 0;
}

uint32_t CVSTParamUpdateQueue::getParameterId()
{
    return m_pHostQueue ? m_pHostQueue->getParameterId() : kNoParamId;
}

bool CVSTParamUpdateQueue::getValueAtOffset(int32_t sampleOffset, double& value)
{
    m_nCurrentOffset = sampleOffset;
    return evaluate(sampleOffset, value) == Outcome::NewValue;
}

bool CVSTParamUpdateQueue::getNextValue(double& value)
{
    const int32 t = m_nCurrentOffset++;
    return evaluate(t, value) == Outcome::NewValue;
}

bool CVSTParamUpdateQueue::readPoint(int32 index, int32& offset, double& value) const
{
    if (!m_pHostQueue || m_pHostQueue->getPoint(index, offset, value) != kResultOk) return false;
    // Host values are normalised: keep them inside 0..1, and a NaN at the bottom.
    value = value > 0.0 ? std::min(value, 1.0) : 0.0;
    return true;
}

CVSTParamUpdateQueue::Outcome CVSTParamUpdateQueue::evaluate(int32 t, double& value)
{
    const int32 granularity = m_nGranularity;
    // The value comes from the segment in force before a possible advance below.
    // Past its end a segment holds its end value rather than running on.
    double v = 0.0;
    if (t == m_nX0)
        v = m_dY0;
    else if (t >= m_nX1)
        v = m_dY1;
    else
        v = t * m_dSlope + m_dIntercept;

    if (t == 0 || t == m_nX1) advanceSegment();
    if (m_dSlope == 0.0) return Outcome::None;
    const bool onGrid = granularity != 0 && t % granularity == 0;
    if (!onGrid && t != m_nX0 && t != m_nX1) return Outcome::None;
    if (v == m_dLastValue) return Outcome::Unchanged;
    m_dLastValue = v;
    value = v;
    return Outcome::NewValue;
}

void CVSTParamUpdateQueue::advanceSegment()
{
    int32 k = m_nPointIndex;
    int32 offset = 0;
    double w = 0.0;
    if (!readPoint(k, offset, w)) return;
    if (k == 0 && offset == 0)
    {
        m_nX0 = 0;
        m_dY0 = w;
        if (m_nPointCount < 2)
        {
            m_nX1 = m_nBlockSize;
            m_dY1 = w;
        }
        else
        {
            ++k;
            int32 endOffset = 0;
            double endValue = 0.0;
            if (readPoint(k, endOffset, endValue))
            {
                m_nX1 = endOffset;
                m_dY1 = endValue;
            }
        }
    }
    else
    {
        // A block's first segment starts at its first sample.
        m_nX0 = m_bLastSegment ? 0 : std::max(m_nX1, 0);
        m_bLastSegment = false;
        m_dY0 = m_dY1;
        m_nX1 = offset;
        m_dY1 = w;
    }
    if (m_nX1 == m_nBlockSize - 1) m_bLastSegment = true;
    m_nPointIndex = k + 1;
    const int32 span = m_nX1 - m_nX0;
    // Two points at one offset make an empty segment: hold its end value instead of dividing
    // by zero.
    m_dSlope = span != 0 ? (m_dY1 - m_dY0) / static_cast<float>(span) : 0.0;
    m_dIntercept = span != 0 ? m_dY0 - m_nX0 * m_dSlope : m_dY1;
}

} // namespace Steinberg::Vst::Veru2ZOR3
