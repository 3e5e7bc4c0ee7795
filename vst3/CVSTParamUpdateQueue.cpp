#include "vst3/CVSTParamUpdateQueue.h"

#include <algorithm>

namespace Steinberg::Vst::Veru2ZOR3
{

void CVSTParamUpdateQueue::rearm(int32 blockSize, IParamValueQueue* hostQueue, int32 pointCount)
{
    // The segment carried over was measured in the last block's offsets: move it into this
    // block's, where it lies before offset 0.
    if (m_blockSize > 0)
    {
        m_x0 -= m_blockSize;
        m_x1 -= m_blockSize;
        m_intercept = m_y0 - m_x0 * m_slope;
    }
    m_blockSize = std::max(blockSize, 0);
    m_hostQueue = hostQueue;
    m_pointCount = pointCount;
    m_pointIndex = 0;
    m_currentOffset = 0;
}

uint32_t CVSTParamUpdateQueue::getParameterId()
{
    return m_hostQueue ? m_hostQueue->getParameterId() : kNoParamId;
}

bool CVSTParamUpdateQueue::getValueAtOffset(int32_t sampleOffset, double& value)
{
    m_currentOffset = sampleOffset;
    return evaluate(sampleOffset, value) == Outcome::NewValue;
}

bool CVSTParamUpdateQueue::getNextValue(double& value)
{
    const int32 t = m_currentOffset++;
    return evaluate(t, value) == Outcome::NewValue;
}

bool CVSTParamUpdateQueue::readPoint(int32 index, int32& offset, double& value) const
{
    if (!m_hostQueue || m_hostQueue->getPoint(index, offset, value) != kResultOk) return false;
    // Host values are normalised: keep them inside 0..1, and a NaN at the bottom.
    value = value > 0.0 ? std::min(value, 1.0) : 0.0;
    return true;
}

CVSTParamUpdateQueue::Outcome CVSTParamUpdateQueue::evaluate(int32 t, double& value)
{
    const int32 granularity = m_granularity;
    // The value comes from the segment in force before a possible advance below.
    // Past its end a segment holds its end value rather than running on.
    double v = 0.0;
    if (t == m_x0)
        v = m_y0;
    else if (t >= m_x1)
        v = m_y1;
    else
        v = t * m_slope + m_intercept;

    if (t == 0 || t == m_x1) advanceSegment();
    if (m_slope == 0.0) return Outcome::None;
    const bool onGrid = granularity != 0 && t % granularity == 0;
    if (!onGrid && t != m_x0 && t != m_x1) return Outcome::None;
    if (v == m_lastValue) return Outcome::Unchanged;
    m_lastValue = v;
    value = v;
    return Outcome::NewValue;
}

void CVSTParamUpdateQueue::advanceSegment()
{
    int32 k = m_pointIndex;
    int32 offset = 0;
    double w = 0.0;
    if (!readPoint(k, offset, w)) return;
    if (k == 0 && offset == 0)
    {
        m_x0 = 0;
        m_y0 = w;
        if (m_pointCount < 2)
        {
            m_x1 = m_blockSize;
            m_y1 = w;
        }
        else
        {
            ++k;
            int32 endOffset = 0;
            double endValue = 0.0;
            if (readPoint(k, endOffset, endValue))
            {
                m_x1 = endOffset;
                m_y1 = endValue;
            }
        }
    }
    else
    {
        // A block's first segment starts at its first sample.
        m_x0 = m_lastSegment ? 0 : std::max(m_x1, 0);
        m_lastSegment = false;
        m_y0 = m_y1;
        m_x1 = offset;
        m_y1 = w;
    }
    if (m_x1 == m_blockSize - 1) m_lastSegment = true;
    m_pointIndex = k + 1;
    const int32 span = m_x1 - m_x0;
    // Two points at one offset make an empty segment: hold its end value instead of dividing
    // by zero.
    m_slope = span != 0 ? (m_y1 - m_y0) / static_cast<float>(span) : 0.0;
    m_intercept = span != 0 ? m_y0 - m_x0 * m_slope : m_y1;
}

} // namespace Steinberg::Vst::Veru2ZOR3
